#include "search/LineBuffer.h"

#include "base/SysUtils.h"

std::vector<std::string> SplitLines(std::string_view bytes) {
  const std::string_view text = bytes.substr(0, bytes.find('\0'));
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    // A plain loop: find_first_of tries each byte against the set, several times slower.
    size_t stop = pos;
    while (stop < text.size() && text[stop] != '\r' && text[stop] != '\n')
      ++stop;
    lines.emplace_back(text.substr(pos, stop - pos));
    pos = stop;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}

TLineBuffer::TLineBuffer(TFileSystem& fileSystem) : FFileSystem(fileSystem) {}

void TLineBuffer::LoadLines(const std::string& path) {
  const std::unique_ptr<TOpenFile> file = FFileSystem.OpenForReading(path);
  if (!file) throw Exception(Format("Ne peut ouvrir le fichier %s", path.c_str()));
  FLines.clear(); // before the read, so that the old lines and the new file are not held at once
  const std::optional<std::string> content = ReadAll(*file);
  if (!content) throw Exception(Format("Ne peut ouvrir le fichier %s", path.c_str()));
  FLines = SplitLines(*content);
}
