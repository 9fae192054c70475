// Measures the viewer's load under Wine against the literal way (the text put in whole, then
// three selection changes and one colour change per occurrence, drawing held off), tells our own
// part of it (reading, indexing, writing the document) from the control's, and shows the viewer
// window on a file for a look:
//   viewer_load_bench                 the table of timings
//   viewer_load_bench --show PATH TEXT  the window on that file, until it is closed
#include "ViewerWindow.h"
#include "support/FilePath.h"

#include "base/SysUtils.h"
#include "toolkit/Application.h"
#include "viewer/OccurrenceIndex.h"
#include "viewer/RtfWriter.h"

#include <richedit.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {
constexpr const char* Text = "cible";

// lines lines of about width bytes, every markEvery-th holding the text, with accents and RTF
// syntax so that the escaping is paid for. No TAB: the literal way's SetWindowTextA takes
// about a minute for 10,000 lines holding one.
std::string MakeFile(const std::string& path, int lines, int width, int markEvery) {
  std::ofstream out(path, std::ios::binary);
  for (int k = 0; k < lines; ++k) {
    std::string line = Format("%07d \xE9t\xE9 {\\par} ", k);
    if (k % markEvery == 0) line += "la CIBLE ici ";
    while (int(line.size()) < width)
      line += "texte ";
    out << line << "\r\n";
  }
  return path;
}

// Wall-clock and this process's processor seconds: on a shared machine the second says more.
struct TTimes {
  double Wall, Cpu;
};

double ProcessCpuSeconds() {
  FILETIME creation, exit, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
  auto seconds = [](FILETIME t) {
    return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

TTimes Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  const double cpu = ProcessCpuSeconds();
  work();
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
          ProcessCpuSeconds() - cpu};
}

void SetColour(HWND pane, bool blue) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  format.dwEffects = blue ? 0 : CFE_AUTOCOLOR;
  format.crTextColor = RGB(0, 0, 255);
  SendMessageA(pane, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

// The load done literally, as a plain text control would be driven.
void LiteralLoad(TViewerWindow& window, const std::string& path) {
  TRichEditPane& pane = window.mmLignesConcernees;
  pane.Clear();
  pane.SetSelStart(0);
  SetColour(pane.Handle(), false);
  SendMessageA(pane.Handle(), WM_SETREDRAW, FALSE, 0);
  window.LineBuffer.LoadLines(PlatformPath(path));
  std::string text;
  for (const std::string& line : window.LineBuffer.Lines())
    text += line + "\r\n";
  SetWindowTextA(pane.Handle(), text.c_str());
  const std::string upper = TCodePage::Current().UpperCase(Text);
  const TOccurrenceFinder finder(upper, TCodePage::Current());
  int32_t lineStart = 0;
  for (const std::string& line : window.LineBuffer.Lines()) {
    const size_t p = finder.Find(line);
    if (p != std::string::npos) {
      pane.SetSelStart(lineStart + int32_t(p));
      pane.SetSelLength(int32_t(upper.size()));
      SetColour(pane.Handle(), true);
      pane.SetSelStart(lineStart);
    }
    lineStart += int32_t(line.size()) + LineBreakLength;
  }
  pane.SetSelStart(0);
  SendMessageA(pane.Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(pane.Handle(), nullptr, TRUE);
}

// Our own part of a load: reading the file, indexing it and writing its RTF document, whose
// size goes to rtfBytes. The rest of the load is the control's.
TTimes OwnPart(TViewerWindow& window, const std::string& path, size_t& rtfBytes) {
  return Seconds([&] {
    window.LineBuffer.LoadLines(PlatformPath(path));
    const auto& lines = window.LineBuffer.Lines();
    const TOccurrenceOffsets offsets = IndexOccurrences(lines, Text, TCodePage::Current());
    rtfBytes =
        MarkedLinesRtf(lines, offsets, std::strlen(Text), int(GetACP()), GetSysColor(COLOR_WINDOW))
            .size();
  });
}

int RunBench() {
  const std::string folder = std::filesystem::temp_directory_path().string() + "viewer-bench";
  std::filesystem::create_directories(folder);
  TViewerWindow window;
  window.ContentText = Text;
  struct TRun {
    const char* Name;
    int Lines, Width, MarkEvery;
    bool Literal;
  } const runs[] = {{"1,000 marked lines", 1000, 60, 1, true},
                    {"10,000 marked lines", 10000, 60, 1, true},
                    {"100,000 marked lines", 100000, 60, 1, false},
                    {"10 MB, 1 line in 5 marked", 125000, 80, 5, false},
                    {"one line of 1,000,000 bytes", 1, 1000000, 1, false}};
  std::printf("%-27s %9s %17s %8s %17s %6s  (wall / processor seconds)\n", "file", "bytes",
              "RTF load", "of it ours", "literal", "ratio");
  for (const TRun& run : runs) {
    const std::string path = MakeFile(folder + "\\" + std::to_string(run.Lines) + ".txt", run.Lines,
                                      run.Width, run.MarkEvery);
    const TTimes rtf = Seconds([&] { window.Viewer.LoadFileIntoViewer(PlatformPath(path)); });
    const auto marks =
        window.Viewer.OccurrenceOffsets() ? window.Viewer.OccurrenceOffsets()->size() : 0;
    size_t rtfBytes = 0;
    const TTimes own = OwnPart(window, path, rtfBytes);
    std::printf("%-27s %9llu %7.2f / %7.2f %8.2f", run.Name,
                (unsigned long long)std::filesystem::file_size(path), rtf.Wall, rtf.Cpu, own.Wall);
    if (run.Literal) {
      const TTimes literal = Seconds([&] { LiteralLoad(window, path); });
      std::printf(" %7.2f / %7.2f %5.1fx", literal.Wall, literal.Cpu, literal.Wall / rtf.Wall);
    }
    std::printf("  (%zu marks, %zu bytes of RTF)\n", marks, rtfBytes);
    std::fflush(stdout);
  }
  window.Viewer.LoadFileIntoViewer(PlatformPath(MakeFile(folder + "\\small.txt", 1, 10, 1)));
  const TTimes emptied = Seconds([&] { window.mmLignesConcernees.Clear(); });
  std::printf("clearing the pane after the last file: %.3f s\n", emptied.Wall);
  std::filesystem::remove_all(folder);
  return 0;
}

int Show(const std::string& path, const std::string& text) {
  TViewerWindow window;
  window.ContentText = text;
  window.Viewer.LoadFileIntoViewer(PlatformPath(path));
  while (IsWindow(window.Handle()) && Application().ProcessMessages())
    WaitMessage();
  return 0;
}
} // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 4 && std::string(argv[1]) == "--show") return Show(argv[2], argv[3]);
    return RunBench();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
