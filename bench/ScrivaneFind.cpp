// scrivane-find: the search engine over the host's file system, for benchmarks against other
// search tools. Prints each found file as FOLDER/relative/path, in walk order.
#include "base/SysUtils.h"
#include "platform/FileSystem.h"
#include "platform/RegionalSettings.h"
#include "search/SearchEngine.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const Usage =
    "usage: scrivane-find [--mask MASK] [--no-subfolders] [-j THREADS] FOLDER TEXT\n"
    "Lists the files under FOLDER whose names match MASK (default *.*) and whose text holds\n"
    "TEXT on one line, ignoring case; one path a line, in the order of the walk. THREADS\n"
    "read contents, the walk's included (default one a core, at most 8).\n";

struct TArguments {
  TSearchRequest Request;
  unsigned Threads = TContentWorkers::DefaultThreads();
  std::string Folder; // as given, for the output
};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "scrivane-find: %s\n", message.c_str());
  std::exit(2);
}

TArguments ParseArguments(int argc, char** argv) {
  TArguments arguments;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(Usage, stdout);
      std::exit(0);
    } else if (arg == "--mask") {
      if (++i == argc) Fail("--mask needs a value");
      arguments.Request.Mask = argv[i];
    } else if (arg == "-j") {
      if (++i == argc) Fail("-j needs a value");
      arguments.Threads = static_cast<unsigned>(std::max(1, std::atoi(argv[i])));
    } else if (arg == "--no-subfolders") {
      arguments.Request.IncludeSubfolders = false;
    } else if (arg.starts_with("--")) {
      Fail("unknown option " + arg + "\n" + Usage);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) Fail(std::string("a FOLDER and a TEXT are needed\n") + Usage);
  arguments.Folder = positional[0];
  std::string absolute = positional[0];
  const bool drive = absolute.size() >= 2 && absolute[1] == ':'; // Z:\tmp under Wine
  if (!absolute.starts_with('/') && !drive) {
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd)) Fail("cannot read the current folder");
    absolute = std::string(cwd) + "/" + absolute;
  }
  for (char& c : absolute)
    if (c == '/') c = '\\';
  arguments.Request.Folder = absolute;
  arguments.Request.Text = positional[1];
  return arguments;
}

// The messages are Windows-1252; the terminal wants UTF-8.
std::string Utf8(const std::string& text) {
  std::string result;
  for (unsigned char c : text) {
    if (c < 0x80) {
      result += static_cast<char>(c);
    } else {
      result += static_cast<char>(0xC0 | c >> 6);
      result += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return result;
}

} // namespace

int main(int argc, char** argv) {
  const TArguments arguments = ParseArguments(argc, argv);
  if (access(arguments.Folder.c_str(), R_OK) != 0)
    Fail("cannot read the folder " + arguments.Folder);
  TSearchEngine engine(PlatformFileSystem(), TFormatSettings::FromRegional(ReadRegionalSettings()));
  engine.SetThreads(arguments.Threads);
  try {
    engine.Search(arguments.Request);
  } catch (const Exception& error) {
    Fail(Utf8(error.Message()));
  }
  // Paths below the folder, with the folder as it was given in front.
  const std::string& root = engine.SearchRequest().Folder;
  std::string folder = arguments.Folder;
  while (folder.size() > 1 && folder.ends_with('/'))
    folder.pop_back();
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  std::string path;
  for (const auto& record : engine.FoundFiles()) {
    path.assign(record->Folder, root.size()); // JoinPath's, less the root
    if (!record->Folder.ends_with('\\')) path += '\\';
    path += record->Name;
    for (char& c : path)
      if (c == '\\') c = '/';
    if (folder != "/") std::fputs(folder.c_str(), stdout);
    if (!path.starts_with('/')) std::fputc('/', stdout);
    std::fputs(path.c_str(), stdout);
    std::fputc('\n', stdout);
  }
  // The records are left to the system, as any search tool leaves its lists: freeing them one
  // by one would be timed with the search.
  std::fflush(stdout);
  std::_Exit(0);
}
