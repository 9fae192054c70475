"""The include check on planted trees: each row is a file with its include line (and the
header it may name), and whether the check must refuse the tree."""
import pathlib
import sys
import tempfile
import types
import unittest

# The script has no .py ending: it is run as a module made from its text.
SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "check-includes"
check = types.ModuleType("check_includes")
check.__file__ = str(SCRIPT)
exec(compile(SCRIPT.read_text(), str(SCRIPT), "exec"), check.__dict__)

# file under src/, its include line, whether the check refuses it
ROWS = [
    ("search/A.cpp", "#include <fileapi.h>", True),
    ("settings/A.cpp", "#include <handleapi.h>", True),
    ("base/A.h", "#include <synchapi.h>", True),
    ("platform/A.h", "#include <windows.h>", True),
    ("platform/posix/A.cpp", "#include <processthreadsapi.h>", True),
    ("viewer/A.cpp", "#include <richedit.h>", True),
    ("search/A.cpp", '#include "windows.h"', True),
    ("search/A.cpp", '#include "viewer/Navigation.h"', True),
    ("toolkit/A.cpp", '#include "ui/Main_fm.h"', True),
    ("search/A.cpp", "#include <string_view>", False),
    ("search/A.cpp", "#include <emmintrin.h>", False),
    ("base/A.cpp", "#include <stdint.h>", False),
    ("platform/posix/A.cpp", "#include <sys/stat.h>", False),
    ("viewer/win32/A.cpp", "#include <fileapi.h>", False),
    ("search/A.cpp", '#include "search/B.h"', False),
    ("viewer/A.cpp", '#include "search/B.h"', False),
]


# Two units that include each other: refused in the toolkit, which reads bottom-up.
CIRCLES = [("toolkit", True), ("grid", False)]


def plant(folder, files):
    src = pathlib.Path(folder) / "src"
    for name, text in files.items():
        (src / name).parent.mkdir(parents=True, exist_ok=True)
        (src / name).write_text(text + "\n", encoding="utf-8")
    return src


class CheckIncludesTest(unittest.TestCase):
    def test_includes(self):
        for path, line, refused in ROWS:
            with self.subTest(path=path, line=line), tempfile.TemporaryDirectory() as folder:
                src = plant(folder, {path: line, "search/B.h": ""})
                self.assertEqual(bool(list(check.faults(src))), refused)

    def test_circles(self):
        for room, refused in CIRCLES:
            with self.subTest(room=room), tempfile.TemporaryDirectory() as folder:
                src = plant(folder, {f"{room}/A.h": f'#include "{room}/B.h"',
                                     f"{room}/B.cpp": f'#include "{room}/A.h"',
                                     f"{room}/C.cpp": f'#include "{room}/A.h"'})
                self.assertEqual(bool(list(check.circles(src))), refused)


if __name__ == "__main__":
    sys.argv[1:] = []
    unittest.main()
