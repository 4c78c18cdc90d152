"""Shortcut files written by both routes, the shell's link object and the
script host's shell object, read back from Linux with lnkinfo: never with the
code that wrote them."""
import unittest

from lnk import read_link
from sandbox import Sandbox

TARGET = r"C:\windows\notepad.exe"
OMIT = "--omit"


class Shortcuts(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.box = Sandbox(name="shortcuts")
        (cls.box.drives["d"] / "有.点").mkdir()

    @classmethod
    def tearDownClass(cls):
        cls.box.close()

    def probe(self, *args):
        code, out, _ = self.box.run("probe.exe", *args)
        self.assertEqual(code, 0, f"probe {args}")
        return out.decode("gbk")

    def test_link_object_shortcuts(self):
        # (link path, description, arguments, working folder, result, file on D:
        #  or None, the strings the file carries with their values)
        cases = [
            (r"D:\快捷方式", "说明", OMIT, r"C:\工作", "1", "快捷方式.lnk",
             {"description": "说明", "working": r"C:\工作"}),
            (r"D:\已有.lnk", OMIT, "-x 1", OMIT, "1", "已有.lnk", {"arguments": "-x 1"}),
            (r"D:\有.点\名字", OMIT, OMIT, OMIT, "1", "有.点/名字", {}),
            (r"D:\空", "", "", "", "1", "空.lnk", {"description": "", "arguments": "", "working": ""}),
            (r"D:\没有\链接.lnk", "说明", OMIT, OMIT, "0", None, {}),
        ]
        for link, description, arguments, working, result, file, strings in cases:
            with self.subTest(link=link):
                self.assertEqual(self.probe("CreateShellShortcut", link, TARGET, description, arguments,
                                            working).strip(), result)
                if file is None:
                    self.assertFalse((self.box.drives["d"] / "没有").exists(), "nothing written")
                    continue
                facts = read_link(self.box.drives["d"] / file)
                self.assertEqual(facts["target"], TARGET)
                self.assertEqual(facts["show_command"], 5)
                self.assertEqual(facts["present"], set(strings), "left-out texts are not set, empty ones are")
                for key, value in strings.items():
                    self.assertEqual(facts[key], value, key)
        self.assertFalse((self.box.drives["d"] / "有.点" / "名字.lnk").exists())

    def test_script_host_shortcut(self):
        link = r"D:\桌面链接.lnk"
        out = self.probe("WshShortcut", link, f"targetpath={TARGET}", r"WorkingDirectory=C:\工作目录",
                         f"IconLocation={TARGET},2", "WindowStyle#7", "Description=描述", 'Arguments=/a "b c"',
                         "NoSuchProperty=1")
        steps = dict(line.rsplit(" ", 1) for line in out.splitlines())
        expected = {"create": "1", "shortcut": "1", "targetpath": "1", "WorkingDirectory": "1",
                    "IconLocation": "1", "WindowStyle": "1", "Description": "1", "Arguments": "1",
                    "NoSuchProperty": "0", "save-result-empty": "1"}
        self.assertEqual(steps, expected)
        facts = read_link(self.box.drives["d"] / "桌面链接.lnk")
        self.assertEqual(facts["target"], TARGET, "a property name in small letters sets the property")
        self.assertEqual(facts["working"], r"C:\工作目录")
        self.assertEqual(facts["description"], "描述")
        self.assertEqual(facts["arguments"], '/a "b c"')
        self.assertEqual(facts["icon"], TARGET)
        self.assertEqual(facts["icon_index"], "2")
        self.assertEqual(facts["show_command"], 7)

    def test_desktop_shortcut_of_the_installer_logic(self):
        lines = self.probe("CreateShortcutLink", "Varnesse商城", TARGET).splitlines()
        self.assertEqual(lines[0], "1")
        self.assertEqual(lines[1], r"C:\users\varnesse\Desktop\Varnesse商城.lnk")
        self.assertEqual(read_link(self.box.desktop / "Varnesse商城.lnk")["target"], TARGET)
        self.assertEqual(self.probe("SpecialFolderPath", "3").strip(), "C:\\users\\varnesse\\Desktop\\")


if __name__ == "__main__":
    unittest.main()
