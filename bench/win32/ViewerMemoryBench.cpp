// The viewer's memory over loads in a row of the largest text it shows whole (lines of WIDTH
// bytes, one in a hundred marked, as many as the show limit lets through): the resident memory
// (working set) and the committed memory after each load, and the last load against the first.
//   viewer_memory_bench [LOADS [WIDTH]]   20 loads of lines of 100 bytes unless told
#include "ViewerWindow.h"

#include "base/SysUtils.h"
#include "support/FilePath.h"
#include "toolkit/Application.h"
#include "viewer/ShowLimit.h"

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {
constexpr const char* Text = "cible";

double MiB(SIZE_T bytes) {
  return double(bytes) / (1 << 20);
}

// As many lines as the show limit takes, every hundredth marked.
std::string MakeLargestShown(const std::string& path, size_t width) {
  const int perMark = 100;
  const double perLines = perMark * LineShowSeconds(width - 2) + MarkShowSeconds;
  const int lines = int(MaxShowSeconds / perLines * perMark) - perMark;
  std::ofstream out(path, std::ios::binary);
  for (int k = 0; k < lines; ++k) {
    std::string line = Format("%07d \xE9t\xE9 {\\par} ", k);
    if (k % perMark == 0) line += "la CIBLE ici ";
    while (line.size() < width - 2)
      line += "texte ";
    line.resize(width - 2);
    out << line << "\r\n";
  }
  return path;
}

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters;
}
} // namespace

int main(int argc, char** argv) {
  const int loads = argc > 1 ? std::atoi(argv[1]) : 20;
  const size_t width = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100; // CR LF included
  const std::string folder = std::filesystem::temp_directory_path().string() + "viewer-memory";
  std::filesystem::create_directories(folder);
  const std::string path = MakeLargestShown(folder + "\\largest.txt", width);
  TViewerWindow window;
  window.ContentText = Text;
  std::printf("%llu bytes, %d loads; memory after each load, MiB\n",
              (unsigned long long)std::filesystem::file_size(path), loads);
  std::printf("%5s %8s %9s %10s %8s\n", "load", "seconds", "resident", "committed", "peak");
  double first = 0, last = 0;
  for (int k = 1; k <= loads; ++k) {
    const auto start = std::chrono::steady_clock::now();
    window.Viewer.LoadFileIntoViewer(PlatformPath(path));
    Application().ProcessMessages(); // the pane paints, as on the screen
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const PROCESS_MEMORY_COUNTERS now = Memory();
    (k == 1 ? first : last) = MiB(now.WorkingSetSize);
    std::printf("%5d %8.2f %9.0f %10.0f %8.0f\n", k, seconds, MiB(now.WorkingSetSize),
                MiB(now.PagefileUsage), MiB(now.PeakWorkingSetSize));
    std::fflush(stdout);
  }
  if (loads > 1) std::printf("resident after load %d / after load 1: %.2f\n", loads, last / first);
  std::filesystem::remove_all(folder);
  return 0;
}
