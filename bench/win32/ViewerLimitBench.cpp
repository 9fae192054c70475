// The viewer's load under Wine against the size of the text, the number of marked lines and the
// longest line: wall time, processor time and peak memory of each load, each in a process of its
// own so that the peak is that load's, beside the show limit's estimate.
//   viewer_limit_bench               the table, loads by the viewer (files past the limit refused)
//   viewer_limit_bench --unlimited   the same loads done in full, whatever they cost: the
//                                    figures the limit is fitted to
//   viewer_limit_bench --excerpt     logs of 20, 200 and 2,000 MB, every hundredth line marked:
//                                    the viewer's load of each (its excerpt), the pane's part of
//                                    it, and the search's read of the whole file
#include "ViewerWindow.h"
#include "support/FilePath.h"

#include "base/SysUtils.h"
#include "search/TextScan.h"
#include "viewer/Excerpt.h"
#include "viewer/RtfWriter.h"
#include "viewer/ShowLimit.h"

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace {
constexpr const char* Text = "cible";
constexpr DWORD TimeoutMs = 120000;

// About bytes bytes in lines of width bytes (one line when width is 0); every markEvery-th line
// holds the text, none when markEvery is 0.
void MakeFile(const std::string& path, uint64_t bytes, size_t width, int markEvery) {
  std::ofstream out(path, std::ios::binary);
  if (width == 0) {
    std::string line(bytes, 'x');
    if (markEvery) line.replace(bytes / 2, 5, "CIBLE");
    out << line;
    return;
  }
  uint64_t written = 0;
  for (int k = 0; written < bytes; ++k) {
    std::string line = Format("%07d \xE9t\xE9 {\\par} ", k);
    if (markEvery && k % markEvery == 0) line += "la CIBLE ici ";
    while (line.size() + 2 < width)
      line += "texte ";
    line.resize(width - 2, '.');
    out << line << "\r\n";
    written += width;
  }
}

double MiB(SIZE_T bytes) {
  return double(bytes) / (1 << 20);
}

// The viewer's steps without the limit.
void LoadUnlimited(TViewerWindow& window, const std::string& path) {
  TRichEditPane& pane = window.mmLignesConcernees;
  pane.Clear();
  window.LineBuffer.LoadLines(PlatformPath(path));
  const auto& lines = window.LineBuffer.Lines();
  const TOccurrenceOffsets offsets = IndexOccurrences(lines, Text, TCodePage::Current());
  pane.LoadRtf(
      MarkedLinesRtf(lines, offsets, std::strlen(Text), int(GetACP()), GetSysColor(COLOR_WINDOW)),
      lines.size());
}

// Runs work in this process and prints what it says with its wall and processor seconds, its
// peak and its starting working set.
int Measure(const std::function<std::string()>& work) {
  PROCESS_MEMORY_COUNTERS before{}, after{};
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
  FILETIME creation, exit, kernel0, user0, kernel1, user1;
  GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel0, &user0);
  const auto start = std::chrono::steady_clock::now();
  const std::string outcome = work();
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel1, &user1);
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
  auto seconds = [](FILETIME a, FILETIME b) {
    auto value = [](FILETIME t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return double(value(b) - value(a)) / 1e7;
  };
  std::printf("%-7s %6.2f %6.2f %8.0f %8.0f", outcome.c_str(), wall,
              seconds(kernel0, kernel1) + seconds(user0, user1), MiB(after.PeakWorkingSetSize),
              MiB(before.WorkingSetSize));
  return 0;
}

// One load in this process.
int LoadOnce(const std::string& path, bool unlimited) {
  TViewerWindow window;
  window.ContentText = Text;
  return Measure([&]() -> std::string {
    try {
      if (unlimited)
        LoadUnlimited(window, path);
      else
        window.Viewer.LoadFileIntoViewer(PlatformPath(path));
    } catch (const Exception&) {
      return "refused";
    }
    return window.LineBuffer.Lines().empty() ? "excerpt" : "shown";
  });
}

// The pane's part of the load of a file's excerpt: the excerpt is read first, unmeasured.
int LoadExcerptPane(const std::string& path) {
  TViewerWindow window;
  TExcerpt excerpt(Text, TCodePage::Current());
  window.LineBuffer.ForEachLine(PlatformPath(path),
                                [&](std::string_view line) { return excerpt.Add(line); });
  excerpt.Finish();
  return Measure([&] {
    window.mmLignesConcernees.LoadRtf(MarkedLinesRtf(excerpt.Lines(), excerpt.OccurrenceOffsets(),
                                                     std::strlen(Text), int(GetACP()),
                                                     GetSysColor(COLOR_WINDOW)),
                                      excerpt.Lines().size());
    return std::string("pane");
  });
}

// The search's read of the whole file: its scan for a text that the file does not hold.
int SearchRead(const std::string& path) {
  TTextScan scan("absent", TCodePage::Current());
  return Measure([&] {
    const std::unique_ptr<TOpenFile> file =
        PlatformFileSystem().OpenForReading(PlatformPath(path).Native);
    const bool found = scan.Contains([&](char* buffer, size_t size) {
      return static_cast<size_t>(std::max<int64_t>(file->Read(buffer, size), 0));
    });
    return std::string(found ? "found" : "read");
  });
}

// The show limit's estimate for the file.
std::string Estimate(const std::string& path) {
  TLineBuffer buffer;
  buffer.LoadLines(PlatformPath(path));
  const TOccurrenceOffsets offsets = IndexOccurrences(buffer.Lines(), Text, TCodePage::Current());
  return Format("%6.1f", ShowSeconds(buffer.Lines(), offsets ? offsets->size() : 0));
}

// Runs LoadOnce in a child and returns its line, or a note when it fails or takes too long.
std::string LoadInChild(const std::string& mode, const std::string& path) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd, writeEnd;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  std::string commandLine = Format("\"%s\" %s \"%s\"", self, mode.c_str(), path.c_str());
  if (!CreateProcessA(self, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process))
    return "cannot start";
  CloseHandle(writeEnd);
  std::string line;
  if (WaitForSingleObject(process.hProcess, TimeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    line = Format("over %lu s", TimeoutMs / 1000);
  } else {
    char buffer[256];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got)
      line.append(buffer, got);
    if (!line.empty() && line.back() == '\n') line.pop_back();
  }
  CloseHandle(readEnd);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return line;
}

int RunTable(bool unlimited) {
  const std::string folder = std::filesystem::temp_directory_path().string() + "viewer-limit";
  std::filesystem::create_directories(folder);
  struct TRun {
    uint64_t Bytes;
    size_t Width;
    int MarkEvery;
  } const runs[] = {
      {100 << 10, 80, 0}, {100 << 10, 80, 1},
      {1 << 20, 80, 0},   {1 << 20, 80, 1},
      {2 << 20, 80, 0},   {5 << 19, 80, 0},
      {5 << 19, 80, 10},  {5 << 19, 80, 1},
      {3 << 20, 80, 0},   {(31ull << 20) / 10, 100, 0},
      {8 << 20, 80, 0},   {1 << 20, 20, 0},
      {2 << 20, 20, 0},   {3 << 19, 1000, 0},
      {2 << 20, 1000, 0}, {3 << 19, 0, 1},
      {5 << 19, 0, 1},    {8 << 20, 80, 1},
      {10 << 20, 80, 0},  {4 << 20, 20, 0},
      {6 << 20, 0, 1},
  };
  std::printf("%9s %7s %7s %7s | %-7s %6s %6s %8s %8s | %6s\n", "bytes", "width", "lines", "marked",
              "load", "wall s", "cpu s", "peak MiB", "base MiB", "est. s");
  for (const TRun& run : runs) {
    const std::string path = folder + "\\run.txt";
    MakeFile(path, run.Bytes, run.Width, run.MarkEvery);
    const uint64_t lines = run.Width ? (run.Bytes + run.Width - 1) / run.Width : 1;
    std::printf("%9llu %7s %7llu %7s | %-47s | %s\n", (unsigned long long)run.Bytes,
                run.Width ? std::to_string(run.Width).c_str() : "one", (unsigned long long)lines,
                run.MarkEvery == 0   ? "none"
                : run.MarkEvery == 1 ? "all"
                                     : "1 in 10",
                LoadInChild(unlimited ? "--load-unlimited" : "--load", path).c_str(),
                Estimate(path).c_str());
    std::fflush(stdout);
  }
  std::filesystem::remove_all(folder);
  return 0;
}

int RunExcerptTable() {
  const std::string folder = std::filesystem::temp_directory_path().string() + "viewer-excerpt";
  std::filesystem::create_directories(folder);
  std::printf("%8s | %-47s | %-47s | %-47s\n", "MB", "viewer's load", "of it the pane's",
              "search's read of the whole file");
  std::printf("%8s |", "");
  for (int k = 0; k < 3; ++k)
    std::printf(" %-7s %6s %6s %8s %8s |", "", "wall s", "cpu s", "peak MiB", "base MiB");
  std::printf("\n");
  for (const uint64_t megabytes : {20, 200, 2000}) {
    const std::string path = folder + "\\log.txt";
    MakeFile(path, megabytes * 1000000, 100, 100);
    std::printf("%8llu | %s | %s | %s\n", (unsigned long long)megabytes,
                LoadInChild("--load", path).c_str(), LoadInChild("--excerpt-pane", path).c_str(),
                LoadInChild("--search-read", path).c_str());
    std::fflush(stdout);
    std::filesystem::remove(path);
  }
  std::filesystem::remove_all(folder);
  return 0;
}
} // namespace

int main(int argc, char** argv) {
  try {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 3 && mode == "--load") return LoadOnce(argv[2], false);
    if (argc == 3 && mode == "--load-unlimited") return LoadOnce(argv[2], true);
    if (argc == 3 && mode == "--excerpt-pane") return LoadExcerptPane(argv[2]);
    if (argc == 3 && mode == "--search-read") return SearchRead(argv[2]);
    if (mode == "--excerpt") return RunExcerptTable();
    return RunTable(mode == "--unlimited");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
