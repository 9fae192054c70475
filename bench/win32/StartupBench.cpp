// Time from a program's process start to its window shown, and to its first idle moment
// (its message loop waiting with the window drawn), against a yardstick program in the same
// run: starts them alternately, closes each window as the close button does, prints medians.
// Usage: startup_bench RUNS PROGRAM YARDSTICK
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
double Seconds() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return double(count.QuadPart) / double(frequency.QuadPart);
}

struct TSearch {
  DWORD ProcessId;
  HWND Found = nullptr;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<TSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.ProcessId || !IsWindowVisible(window)) return TRUE;
  search.Found = window;
  return FALSE;
}

struct TStart {
  double Shown = 0, Idle = 0;
};

// One start of the program, or nothing when it shows no window within 30 s.
bool TimeOneStart(const std::string& program, TStart& start) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\"";
  const double t0 = Seconds();
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return false;
  TSearch search{process.dwProcessId};
  while (!search.Found && Seconds() - t0 < 30) {
    EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.Found) Sleep(1);
  }
  start.Shown = Seconds() - t0;
  WaitForInputIdle(process.hProcess, 30000);
  start.Idle = Seconds() - t0;
  if (search.Found) PostMessageA(search.Found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return search.Found != nullptr;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
} // namespace

int main(int argc, char** argv) {
  if (argc != 4 || std::atoi(argv[1]) < 1) {
    std::fprintf(stderr, "usage: startup_bench RUNS PROGRAM YARDSTICK\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  const std::string programs[] = {argv[2], argv[3]};
  std::vector<double> shown[2], idle[2];
  for (int run = 0; run < runs; ++run)
    for (int k = 0; k < 2; ++k) {
      TStart start;
      if (!TimeOneStart(programs[k], start)) {
        std::fprintf(stderr, "%s: no window shown\n", programs[k].c_str());
        return 1;
      }
      shown[k].push_back(start.Shown);
      idle[k].push_back(start.Idle);
    }
  std::printf("%d runs each, medians, alternating\n", runs);
  for (int k = 0; k < 2; ++k)
    std::printf("%-18s shown %7.1f ms   idle %7.1f ms\n",
                programs[k].substr(programs[k].find_last_of("\\/") + 1).c_str(),
                Median(shown[k]) * 1000, Median(idle[k]) * 1000);
  std::printf("ratio program / yardstick: shown %.2f, idle %.2f\n",
              Median(shown[0]) / Median(shown[1]), Median(idle[0]) / Median(idle[1]));
  return 0;
}
