#include "toolkit/Application.h"
#include "support/DialogTestForm.h"
#include "support/RecordedBoxes.h"

#include "base/SysUtils.h"
#include "toolkit/Handles.h"

#include <gtest/gtest.h>

TEST(ApplicationTest, TitleIsTheFileNameUpToItsFirstDotWithTheRestLowerCase) {
  const struct {
    const char* path;
    const char* title;
  } cases[] = {
      {"C:\\Outils\\SCRIVANE.EXE", "Scrivane"},
      {"Z:\\a.b\\scrivane.old.exe", "scrivane"},
      {"C:/x/ÉTÉ.EXE", "Été"},
      {"sCRIVANE", "scrivane"},
      {"C:\\x\\.cache.exe", ""},
      {"D:Prog.exe", "Prog"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ApplicationTitleOf(c.path), c.title);
  }
}

TEST(ApplicationTest, ErrorTextGainsAFullStopAfterCharactersAboveTheFullStop) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {
      {"Chemin non trouvé.", "Chemin non trouvé."},
      {"Masque invalide", "Masque invalide."},
      {"Erreur 12", "Erreur 12."},
      {"C:\\dossier\\", "C:\\dossier\\."},
      {"fin/", "fin/."},
      {"tiret-", "tiret-"},
      {"virgule,", "virgule,"},
      {"blanc ", "blanc "},
      {"accent é", "accent é."},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(ErrorBoxText(c.message), c.shown);
  }
}

// A code the system has no text for (the customer bit set) reads as Windows writes it: a COM
// failure's in hexadecimal, as its documentation and every search for it do.
TEST(ApplicationTest, ACodeWithoutTextOfTheSystemsIsShownAsWindowsWritesIt) {
  const std::pair<DWORD, const char*> cases[] = {{0x20001234, "code 536875572"},
                                                 {0xE0001234, "code 0xE0001234"}};
  for (const auto& [code, text] : cases) {
    SetLastError(code);
    EXPECT_EQ(LastErrorText(), text);
  }
}

TEST(ApplicationTest, ErrorBoxShowsTheMessageUnderTheTitleWithAStopIconAfterReleasingTheMouse) {
  TDialogTestForm form;
  TRecordedBoxes boxes;
  SetCapture(form.Handle());
  ASSERT_EQ(GetCapture(), form.Handle());
  Application().Guarded([] { throw Exception("Ne peut ouvrir le fichier C:\\a.txt"); });
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, "Ne peut ouvrir le fichier C:\\a.txt.");
  EXPECT_EQ(boxes.Shown[0].Caption, Application().Title);
  EXPECT_EQ(boxes.Shown[0].Flags & (MB_ICONMASK | MB_TYPEMASK), UINT(MB_ICONSTOP | MB_OK));
  EXPECT_EQ(boxes.Shown[0].Capture, nullptr);
  Application().Guarded([] { throw std::bad_alloc(); });
  ASSERT_EQ(boxes.Shown.size(), 2u);
  EXPECT_EQ(boxes.Shown[1].Text, "Mémoire insuffisante.");
}

TEST(ApplicationTest, AFailureWhileTheBoxIsUpShowsNoSecondBox) {
  TRecordedBoxes boxes;
  boxes.WhileShown = [] { Application().Guarded([] { throw Exception("seconde"); }); };
  Application().Guarded([] { throw Exception("première"); });
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, "première.");
  boxes.WhileShown = nullptr;
  Application().Guarded([] { throw Exception("après"); });
  EXPECT_EQ(boxes.Shown.size(), 2u);
}
