"""The window runtime under real X input: the installer's main window as the
screen shows it (placement, picture, texts, the install label and its
pointer), clicks and Escape through the X server, a test window of probe.exe
for the event sequence and the exit callbacks, and the fatal run-time error
reports answered from outside."""
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

import installer_ui as ui
import screen
import xcursor
from sandbox import BIN, Sandbox
from xinput import XInput

WHITE = (255, 255, 255)
DARK_RED = (128, 0, 0)
SCREENSHOT = BIN.parent / "screenshots" / "main-window.png"

# Client-area boxes of Part of the main window's layout: (left, top, width, height).
PICTURE = (16, 24, 128, 128)
INSTALL = (288, 192, 48, 28)
TEXTS = {
    "标签2": (24, 160, 272, 24),
    "标签1": (160, 72, 192, 24),
    "透明标签5": (115, 200, 117, 16),
    "透明标签4": (11, 200, 61, 16),
    "驱动器框1": (75, 198, 40, 20),
}
# The closed drive box takes the height that its font needs.
CLOSED_DRIVE_BOX = (75, 198, 40, 24)


def inside(box, x, y):
    left, top, width, height = box
    return left <= x < left + width and top <= y < top + height


def qr_picture_file():
    cache = BIN.parent / "CMakeCache.txt"
    for line in cache.read_text(errors="replace").splitlines() if cache.exists() else []:
        if line.startswith("VARNESSE_QR_PICTURE:") and line.split("=", 1)[1].strip():
            return Path(line.split("=", 1)[1].strip())
    return BIN.parent / "payload" / "QrPicture.png"


def scaled_picture(path, size=128):
    """The picture scaled to size x size by ImageMagick, as RGB rows."""
    with tempfile.TemporaryDirectory() as folder:
        raw = Path(folder) / "qr.rgb"
        subprocess.run(["convert", str(path), "-resize", f"{size}x{size}!", "-depth", "8", f"rgb:{raw}"],
                       check=True)
        data = raw.read_bytes()
    return [[tuple(data[(y * size + x) * 3:(y * size + x) * 3 + 3]) for x in range(size)] for y in range(size)]


def difference(shot, origin, picture, shift=0):
    """Mean absolute channel difference between the screen's picture box and
    the expected picture moved by `shift` pixels."""
    total, count = 0, 0
    size = len(picture)
    for y in range(size):
        for x in range(size):
            sx, sy = x + shift, y + shift
            if not (0 <= sx < size and 0 <= sy < size):
                continue
            seen = shot.pixel(origin[0] + PICTURE[0] + x, origin[1] + PICTURE[1] + y)
            total += sum(abs(a - b) for a, b in zip(seen, picture[sy][sx]))
            count += 3
    return total / count


class MainWindow(unittest.TestCase):
    def setUp(self):
        self.box = Sandbox(name="window")
        self.addCleanup(self.box.close)
        self.installer = ui.Installer(self.box)
        self.addCleanup(self.installer.stop)
        self.input = XInput(self.box.display)
        time.sleep(1)  # first paint

    def geometry(self):
        code, out, _ = self.box.run("probe.exe", "WindowGeometry", ui.MAIN_TITLE, folder=r"C:\probe")
        self.assertEqual(code, 0, "the main window was not found")
        return {line.split()[0]: [int(v) for v in line.split()[1:]] for line in out.decode().splitlines()}

    def test_window_places_and_draws_its_content(self):
        facts = self.geometry()
        screen_width, screen_height = facts["screen"]
        self.assertEqual(facts["outer"], [(screen_width - 392) // 2, (screen_height - 250) // 2, 392, 250])
        # Without a window manager the X window is the client area.
        client_x, client_y = facts["client"][:2]
        self.assertEqual(self.input.geometry(self.installer.window)[:2], (client_x, client_y))

        SCREENSHOT.parent.mkdir(parents=True, exist_ok=True)
        self.box.screenshot(SCREENSHOT)
        shot = screen.capture(self.box)
        origin = (client_x, client_y)
        width, height = facts["client"][2:]

        # The QR picture is the whole picture scaled into its 128 x 128 box:
        # it matches a scaled copy in place far better than one moved by 3 pixels.
        picture = scaled_picture(qr_picture_file())
        in_place, moved = difference(shot, origin, picture), difference(shot, origin, picture, shift=3)
        self.assertLess(in_place, 32, "the picture box does not show the scaled picture")
        self.assertLess(in_place * 2, moved, "the picture is not placed exactly in its box")

        red_rows = {}
        for y in range(height):
            for x in range(width):
                colour = shot.pixel(origin[0] + x, origin[1] + y)
                if screen.near(colour, WHITE, 2):
                    continue
                where = f"({x}, {y}) {colour}"
                # Nothing is drawn outside the controls' boxes.
                boxes = [PICTURE, INSTALL, CLOSED_DRIVE_BOX] + list(TEXTS.values())
                self.assertTrue(any(inside(b, x, y) for b in boxes), f"drawn outside every control: {where}")
                if screen.near(colour, DARK_RED, 40):
                    self.assertTrue(inside(INSTALL, x, y), f"dark red outside the install box: {where}")
                    red_rows.setdefault(y, []).append(x)
        self.assertGreater(sum(len(xs) for xs in red_rows.values()), 60, "安装 is not drawn in dark red")
        self.assertTrue(any(max(xs) - min(xs) + 1 >= 30 and len(xs) >= 30 for xs in red_rows.values()),
                        "安装 has no underline")

        for name, box in TEXTS.items():
            left, top, w, h = box
            drawn = sum(1 for y in range(top, top + h) for x in range(left, left + w)
                        if not screen.near(shot.pixel(origin[0] + x, origin[1] + y), WHITE, 60))
            self.assertGreater(drawn, 20, f"{name} shows no text")

    def test_pointer_is_the_hand_only_over_the_install_box(self):
        def shape_at(x, y):
            self.input._run("mousemove", "--window", self.installer.window, x, y)
            time.sleep(0.4)
            return xcursor.cursor_shape(self.box.display)

        hand = shape_at(312, 206)
        self.assertEqual(hand[:4], (32, 32, 6, 1), "the hand of the program's cursor group 1032")
        left, top, w, h = INSTALL
        for point in [(left, top), (left + w - 1, top + h - 1), (left + 2, top + h - 2)]:
            self.assertEqual(shape_at(*point), hand, f"no hand at {point}")
        for point in [(left - 2, top), (left + w + 1, top + 5), (80, 90), (180, 84), (200, 130), (95, 208)]:
            self.assertNotEqual(shape_at(*point)[:4], hand[:4], f"the hand outside the install box at {point}")

    def test_only_a_press_inside_the_install_box_installs(self):
        # Texts, the picture and the background: nothing runs.
        for point in [(180, 84), (60, 172), (40, 208), (160, 208), (80, 90), (200, 130), (370, 230),
                      (287, 205), (312, 191)]:
            self.installer.click(self.installer.window, *point)
        time.sleep(3)  # longer than the install procedure's wait
        self.assertTrue(self.installer.running())
        self.assertFalse(self.input.find_windows(ui.MESSAGE_TITLE), "a press outside the box installed")
        for drive in "CDE":
            self.assertFalse(self.box.linux_path(f"{drive}:\\{ui.INSTALL_FOLDER}").exists())

        # A corner of the box where no letter is drawn.
        self.installer.click(self.installer.window, 335, 219)
        self.assertTrue(self.installer.answer(ui.MESSAGE_TITLE, timeout=120), "no result message")
        self.assertEqual(self.installer.wait_exit(30), 0)
        self.assertIsNotNone(ui.installed_drive(self.box))

    def test_escape_with_the_drive_box_focused_ends_the_program(self):
        self.installer.keys(self.installer.window, "Escape")
        self.assertEqual(self.installer.wait_exit(30), 0)


class RuntimeEvents(unittest.TestCase):
    TITLE = "运行时测试窗口"

    def test_events_escape_and_exit_callback(self):
        with Sandbox(name="window-events") as box:
            process = box.start("probe.exe", "RuntimeWindow", stdout=subprocess.PIPE)
            x = XInput(box.display)
            window = x.wait_for_window(self.TITLE, 30)
            self.assertIsNotNone(window, "no test window")
            time.sleep(0.5)
            # The label is at (20, 20) 100 x 30: x and y relative to it.
            x.click(window, 25, 27)
            time.sleep(0.3)
            x._run("keydown", "ctrl")
            x.click(window, 119, 49)
            x._run("keyup", "ctrl")
            time.sleep(0.3)
            x.click(window, 200, 150)  # background: no event bound
            time.sleep(0.3)
            x.press(window, "Escape")
            out = process.communicate(timeout=30)[0].decode("gbk").replace("\r\n", "\n")
        self.assertEqual(process.returncode, 0)
        self.assertEqual(out.splitlines(), [
            "created visible=0",       # the created event runs before the window is shown
            "focus on drive box=1",
            "pressed 5 7 0",
            "pressed 99 29 1",         # Ctrl held
            "event 12", "event 1", "event 2",  # Escape reached the window through the drive box
            "loop ended",
            "exit callback",           # registered twice, run once
        ])


class FatalErrors(unittest.TestCase):
    CASES = [
        ("descriptions", None, "载入窗口模板数据段出错!"),
        ("start-window", None, "载入启动窗口失败"),
        ("unknown-window", None, "未载入欲访问窗口组件所在的窗口"),
        ("read-closed", None, "读取组件属性时发现指定窗口尚未载入"),
        ("write-closed", None, "修改组件属性时发现指定窗口尚未载入"),
        ("list-position", 4, "数组成员引用下标必须大于等于1"),
    ]

    def test_report_box_then_exit_code_minus_one_without_exit_callbacks(self):
        with Sandbox(name="window-fatal") as box:
            x = XInput(box.display)
            for kind, code, message in self.CASES:
                with self.subTest(kind=kind):
                    process = box.start("probe.exe", "RuntimeMisuse", kind, stdout=subprocess.PIPE)
                    report = x.wait_for_window("错误", 30)
                    self.assertIsNotNone(report, "no report box")
                    _, text, _ = box.run("probe.exe", "DialogText", "错误", folder=r"C:\reader")
                    self.addCleanup(process.kill)
                    lines = ["运行时出错!"] + (["", f"错误代码：{code}"] if code is not None else [])
                    lines += ["", f"错误信息：{message}", "", r"程序文件：C:\setup\probe.exe"]
                    shown = text.decode("gbk").replace("\r", "")
                    self.assertIn("\n".join(lines) + "\n", shown)
                    self.assertIsNone(process.poll(), "ended before the box was answered")
                    x.press(report, "Return")
                    out = process.communicate(timeout=30)[0].decode("gbk")
                    self.assertEqual(process.returncode, 255)
                    self.assertNotIn("exit callback", out)
                    self.assertNotIn("no fatal error", out)


if __name__ == "__main__":
    unittest.main()
