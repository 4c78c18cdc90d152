"""The shipped programs are the i686 build: 32-bit GUI programs that need no
DLL beyond the system's own, and that really run under Wine (on its 32-bit
side, which starts slowly here)."""
import os
import unittest
from pathlib import Path

from pe import MACHINE_I386, SUBSYSTEM_GUI, pe_facts
from sandbox import Sandbox

PRODUCT = Path(os.environ.get("VARNESSE_PRODUCT_BIN", Path(__file__).resolve().parents[2] / "build" / "bin"))
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "shlwapi.dll",
               "ole32.dll", "oleaut32.dll", "comctl32.dll", "comdlg32.dll", "msvcrt.dll", "msimg32.dll"}


class ProductBuild(unittest.TestCase):
    def test_programs_are_static_32_bit_gui_programs(self):
        for name in ("VarnesseSetup.exe", "qarnUninstall.exe"):
            with self.subTest(program=name):
                facts = pe_facts(PRODUCT / name)
                self.assertEqual(facts["machine"], MACHINE_I386)
                self.assertEqual(facts["subsystem"], SUBSYSTEM_GUI)
                self.assertEqual(facts["timestamp"], 0, "time stamp in the PE header")
                extra = set(facts["dlls"]) - SYSTEM_DLLS
                self.assertFalse(extra, f"needs DLLs that Windows does not have: {sorted(extra)}")

    def test_32_bit_program_runs_with_code_page_936(self):
        with Sandbox(name="product", display=None) as box:
            code, out, _ = box.run(PRODUCT / "probe.exe", "ToLowerText", "Mercavo.EXE 商城", timeout=600)
        self.assertEqual(code, 0)
        self.assertEqual(out.decode("gbk"), "mercavo.exe 商城\n")


if __name__ == "__main__":
    unittest.main()
