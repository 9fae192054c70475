#pragma once
// What the viewer shows of a file too large to show whole: a notice, then each line that holds
// the content text, after its line number in the file, for as long as the pane's estimated load
// stays within the show budget; with no content text, the file's first lines.
#include "platform/CodePage.h"
#include "search/LineBuffer.h"
#include "viewer/OccurrenceIndex.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TExcerpt {
public:
  // text as the content box holds it; page, which must outlive the excerpt, upper-cases both
  // sides as for a whole file. lacking, in the lines of a decoded text, stands for a character
  // the code page lacks: it matches nothing and shows as '?'.
  TExcerpt(std::string_view text, const TCodePage& page, unsigned char lacking = '?');

  // Takes the file's next line; false once the budget is spent and reading on is of no use.
  bool Add(std::string_view line);
  // Puts the notice first, once the reading is over; cutShort when it stopped before the end of
  // the text for a line too long to show.
  void Finish(bool cutShort = false);

  // The pane's lines, the notice first, and the first occurrence on each, as pane positions.
  const std::vector<std::string>& Lines() const { return FLines; }
  const TOccurrenceOffsets& OccurrenceOffsets() const { return FOffsets; }

private:
  std::string Notice() const;

  std::string FUpperText;
  const TCodePage& FPage;
  TOccurrenceFinder FFinder{FUpperText, FPage};
  char FLacking;
  std::vector<std::string> FLines{1}; // the notice's place first
  std::vector<int32_t> FMarks;        // counted from the line after the notice
  TOccurrenceOffsets FOffsets;
  uint64_t FLinesRead = 0;
  int64_t FLength = 0; // of the shown lines with their breaks, the notice's left out
  double FSeconds;
  bool FFull = false;
};

// The excerpt of the file at path, read by lineBuffer from the text a whole file shows: the
// decoded text where the content rule reads it so. Nothing when stopRequested answers true
// before a line. Raises as TLineBuffer::ForEachLine.
std::optional<TExcerpt> LoadExcerpt(TLineBuffer& lineBuffer, const TFilePath& path,
                                    const std::string& text, const TCodePage& page,
                                    const std::function<bool()>& stopRequested);
