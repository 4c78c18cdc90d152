"""Processes, waiting and message boxes on real Wine processes and windows,
driven through probe.exe; message boxes are answered from outside with X
input."""
import subprocess
import time
import unittest

from sandbox import BIN, Sandbox
from xinput import XInput

PROBE = "probe.exe"


def client_program():
    """A GUI client to start and stop: the build's stub of the quotes client
    when it is there, else the prefix's own notepad."""
    stub = BIN.parent / "payload" / "stub" / "Talvikqarn.exe"
    return (stub, "Talvikqarn.exe") if stub.exists() else (None, "notepad.exe")


class ProcessesAndMessages(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.box = Sandbox(name="processes")
        cls.x = XInput(cls.box.display)

    @classmethod
    def tearDownClass(cls):
        cls.box.close()

    def probe(self, *args, timeout=120):
        code, out, _ = self.box.run(PROBE, *args, timeout=timeout)
        self.assertEqual(code, 0, f"probe {args}")
        return out.decode("gbk")

    def process_names(self):
        return [line.split("\t")[5] for line in self.probe("ListProcesses").splitlines() if line.count("\t") == 5]

    def wait_until(self, condition, timeout=60):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if condition():
                return True
            time.sleep(0.5)
        return False

    def test_lists_processes_and_stops_a_client_with_taskkill(self):
        names = self.process_names()
        self.assertIn(PROBE, names, "the probe lists itself with its own letter case")
        self.assertTrue(all("\\" not in name for name in names), names)

        stub, name = client_program()
        if stub:
            client = self.box.start(stub, folder=r"C:\Varnesse")
        else:
            client = self.box.start("C:\\windows\\" + name, folder=None)
        self.addCleanup(client.kill)
        self.assertTrue(self.wait_until(lambda: name.lower() in [n.lower() for n in self.process_names()]),
                        f"{name} never showed up")
        # The hidden command interpreter shares the probe's console: its
        # report mixes with the probe's result line.
        lines = self.probe("RunCommandLine", f"cmd /c taskkill /im {name} /f", "0", "1").splitlines()
        self.assertEqual([line for line in lines if line in ("0", "1")], ["1"])
        self.assertTrue(self.wait_until(lambda: name.lower() not in [n.lower() for n in self.process_names()]),
                        f"{name} still runs after taskkill")

    def test_show_mode_reaches_the_new_process(self):
        # (show mode argument or None for left out, show command the child sees)
        cases = [(None, 1), ("0", 0), ("1", 0), ("2", 1), ("3", 2), ("4", 3), ("5", 4), ("6", 6), ("9", 6), ("-3", 0)]
        for mode, expected in cases:
            with self.subTest(mode=mode):
                report = self.box.linux_path(r"C:\setup\show.txt")
                report.unlink(missing_ok=True)
                args = ["RunCommandLine", r"C:\setup\probe.exe WriteStartupShowCommand C:\setup\show.txt", "1"]
                self.assertEqual(self.probe(*args + ([mode] if mode else [])).strip(), "1")
                # Waiting: the child has finished and written its report.
                self.assertEqual(report.read_text().strip(), str(expected), f"show mode {mode}")

    def test_command_that_cannot_start_gives_false(self):
        for command in [r"C:\nowhere\missing.exe", "no_such_program_here", ""]:
            with self.subTest(command=command):
                self.assertEqual(self.probe("RunCommandLine", command, "1").strip(), "0")

    def delay(self, *args):
        facts = dict(part.split("=") for part in self.probe("DelayWithEvents", *args).split())
        return {key: int(value) for key, value in facts.items()}

    def test_delay_lasts_its_time_and_leaves_quit_queued(self):
        for milliseconds in ("0", "-5"):
            with self.subTest(milliseconds=milliseconds):
                self.assertLess(self.delay(milliseconds)["elapsed"], 1000)
        self.assertGreaterEqual(self.delay("2000")["elapsed"], 2000)
        facts = self.delay("1000", "quit")
        self.assertGreaterEqual(facts["elapsed"], 1000, "WM_QUIT does not end the delay early")
        self.assertEqual(facts["quit"], 1, "WM_QUIT stays in the queue")

    def test_end_program_runs_the_exit_callbacks_once_in_order(self):
        for code, shown in [("0", 0), ("3", 3), ("-1", 255)]:
            with self.subTest(code=code):
                exit_code, out, _ = self.box.run(PROBE, "EndProgram", code)
                self.assertEqual(exit_code, shown)
                self.assertEqual(out.decode().splitlines(), ["first", "second"])

    def test_message_box_titles_and_results(self):
        # (flags, title or None for left out, title shown, keys pressed, result)
        cases = [
            ("64", None, "信息：", ["Return"], 0),
            ("64", "提示：", "提示：", ["Return"], 0),
            ("4", "问题", "问题", ["y"], 5),
            ("4", "问题", "问题", ["n"], 6),
            ("1", "取消", "取消", ["Escape"], 1),
            ("4100", "系统", "系统", ["y"], 5),  # MB_SYSTEMMODAL | MB_YESNO
        ]
        for flags, title, shown, keys, result in cases:
            with self.subTest(flags=flags, title=title, keys=keys):
                args = ["ShowMessage", "安装完成了吗？", flags] + ([title] if title else [])
                probe = self.box.start(PROBE, *args, stdout=subprocess.PIPE)
                window = self.x.answer(shown, *keys)
                try:
                    out, _ = probe.communicate(timeout=60)
                except subprocess.TimeoutExpired:
                    probe.kill()
                    out = b""
                self.assertIsNotNone(window, f"no box titled {shown}")
                self.assertEqual(out.decode().strip(), str(result))


if __name__ == "__main__":
    unittest.main()
