#include "viewer/Excerpt.h"

#include "base/SysUtils.h"
#include "viewer/ShowLimit.h"

#include <algorithm>

namespace {
// Room for the longest notice, whose numbers are known only at the end.
constexpr size_t NoticeLength = 120;
} // namespace

TExcerpt::TExcerpt(std::string_view text, const TCodePage& page, unsigned char lacking)
    : FUpperText(page.UpperCase(text)), FPage(page), FLacking(static_cast<char>(lacking)),
      FSeconds(LineShowSeconds(NoticeLength)) {}

bool TExcerpt::Add(std::string_view line) {
  if (FFull) return false;
  const uint64_t number = FLinesRead + 1;
  size_t p = std::string_view::npos;
  if (!FUpperText.empty()) {
    p = FFinder.Find(line);
    if (p == std::string_view::npos) {
      FLinesRead = number;
      return true;
    }
  }
  std::string shown = std::to_string(number) + " : ";
  const size_t prefix = shown.size();
  const bool marked = p != std::string_view::npos;
  const double seconds =
      FSeconds + LineShowSeconds(prefix + line.size()) + (marked ? MarkShowSeconds : 0);
  if (seconds > MaxShowSeconds) {
    FFull = true;
    return false;
  }
  FSeconds = seconds;
  FLinesRead = number;
  if (marked) FMarks.push_back(static_cast<int32_t>(FLength + int64_t(prefix + p)));
  shown.append(line);
  std::replace(shown.begin() + std::ptrdiff_t(prefix), shown.end(), FLacking, '?');
  FLength += int64_t(shown.size()) + LineBreakLength;
  FLines.push_back(std::move(shown));
  return true;
}

std::string TExcerpt::Notice() const {
  const auto shown = static_cast<unsigned long long>(FLines.size() - 1);
  if (FUpperText.empty())
    return Format("Fichier trop volumineux : seules les %llu premières lignes sont affichées.",
                  shown);
  if (FFull)
    return Format("Fichier trop volumineux : seules les %llu premières lignes contenant le texte "
                  "sont affichées.",
                  shown);
  return Format("Fichier trop volumineux : seules les lignes contenant le texte sont affichées "
                "(%llu lignes sur %llu).",
                shown, static_cast<unsigned long long>(FLinesRead));
}

void TExcerpt::Finish(bool cutShort) {
  FFull = FFull || cutShort;
  FLines.front() = Notice();
  const auto shift = static_cast<int32_t>(FLines.front().size()) + LineBreakLength;
  for (int32_t& mark : FMarks)
    mark += shift;
  if (!FMarks.empty()) FOffsets = std::move(FMarks);
}

std::optional<TExcerpt> LoadExcerpt(TLineBuffer& lineBuffer, const TFilePath& path,
                                    const std::string& text, const TCodePage& page,
                                    const std::function<bool()>& stopRequested) {
  TUnicodeRule rule(text, page);
  const TTextForm form = lineBuffer.FormRead(path, rule);
  std::optional<TExcerpt> excerpt(std::in_place, text, page, form == tfAnsi ? '?' : rule.Lacking());
  bool stopped = false;
  const bool lineTooLong = !lineBuffer.ForEachLine(
      path,
      [&](std::string_view line) {
        stopped = stopRequested();
        return !stopped && excerpt->Add(line);
      },
      LongestShownLine(), form, &rule);
  if (stopped) return std::nullopt;
  excerpt->Finish(lineTooLong);
  return excerpt;
}
