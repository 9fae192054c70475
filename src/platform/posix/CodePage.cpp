#include "platform/CodePage.h"

const TCodePage& TCodePage::Current() {
  static const TCodePage page = Windows1252();
  return page;
}
