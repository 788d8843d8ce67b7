"""The program in its real window: real X11 key and mouse events (xdotool) in,
the window read back over AT-SPI, as a screen reader reads it."""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

PROGRAM = sys.argv[1]
TITLE = "Квадратное уравнение"
failures = []
checks = 0


def check(condition, what):
    global checks
    checks += 1
    print(("ok      " if condition else "FAILED  ") + what, flush=True)
    if not condition:
        failures.append(what)


def wait_for(predicate, timeout=5.0):
    end = time.monotonic() + timeout
    context = GLib.MainContext.default()
    while True:
        while context.pending():  # delivers AT-SPI events to the listeners
            context.iteration(False)
        try:
            value = predicate()
        except Exception:  # an object may vanish or not exist yet
            value = None
        if value or time.monotonic() > end:
            return value
        time.sleep(0.01)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout


# Roles are compared as AT-SPI's numbers: their names change between versions
# ("push button" became "button").
def find(root, role, name=None, description=None):
    """`description` is matched at the start: a description may go on."""
    def match(o):
        return (o is not None and o.getRole() == role
                and (name is None or o.name == name)
                and (description is None or o.description.startswith(description)))
    return pyatspi.findDescendant(root, match)


def labelled(root, role, label):
    """A control by its name or its label's: Qt 6.4 on Linux names a combo box
    after its current item and links the label that names it."""
    def names(o):
        return [o.name] + [r.getTarget(i).name.rstrip(":") for r in o.getRelationSet()
                           if r.getRelationType() == pyatspi.RELATION_LABELLED_BY for i in range(r.getNTargets())]
    return pyatspi.findDescendant(root, lambda o: o is not None and o.getRole() == role and label in names(o))


def text_of(obj):
    """The text as a screen reader speaks it: a non-breaking space is a space."""
    return obj.queryText().getText(0, -1).replace("\u00a0", " ")


def has(obj, state):
    return obj.getState().contains(state)


def click(obj):
    x, y, w, h = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", str(x + w // 2), str(y + h // 2), "click", "1")


def type_text(text):
    xdotool("type", "--delay", "20", "--", text)


def key(*names):
    xdotool("key", "--delay", "20", *names)


class Window:
    def __init__(self, process):
        self.process = process
        self.app = wait_for(self._app, 10)
        if not self.app:
            raise SystemExit("FAILED  the program did not appear on the accessibility bus")
        self.frame = wait_for(lambda: find(self.app, pyatspi.ROLE_FRAME, TITLE))
        self.a = find(self.frame, pyatspi.ROLE_TEXT, "a")
        self.b = find(self.frame, pyatspi.ROLE_TEXT, "b")
        self.c = find(self.frame, pyatspi.ROLE_TEXT, "c")
        self.solve = find(self.frame, pyatspi.ROLE_PUSH_BUTTON, "Решать")
        self.clear = find(self.frame, pyatspi.ROLE_PUSH_BUTTON, "Очистить")
        self.exit = find(self.frame, pyatspi.ROLE_PUSH_BUTTON, "Выход")
        self.result = find(self.frame, pyatspi.ROLE_LABEL, description="Результат")
        self.xid = wait_for(lambda: xdotool("search", "--pid", str(process.pid), "--name", TITLE).split()[0])

    def _app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def focus(self):
        # No window manager under Xvfb: give the window the input focus as one would.
        xdotool("windowfocus", "--sync", self.xid)

    def result_text(self):
        return self.result.name

    def box(self):
        """The message box that is open, as (text, its OK button), or None."""
        for window in self.app:
            if window is None or window.name == TITLE:
                continue
            labels = pyatspi.findAllDescendants(window, lambda o: o.getRole() == pyatspi.ROLE_LABEL)
            texts = [o.name for o in labels if o.name]
            button = find(window, pyatspi.ROLE_PUSH_BUTTON)
            if button is not None:
                return window, "\n".join(texts), button
        return None

    def answer_box(self):
        found = wait_for(self.box)
        if not found:
            return None
        window, text, button = found
        click(button)
        wait_for(lambda: self.box() is None)
        self.focus()
        return window.name, text, button.name


def window_image(scale, path):
    """Starts the program at a scale factor and takes a picture of its window;
    returns its size and position."""
    env = dict(os.environ, QT_SCALE_FACTOR=str(scale))
    process = subprocess.Popen([PROGRAM], env=env)
    try:
        xid = wait_for(lambda: xdotool("search", "--pid", str(process.pid), "--name", TITLE).split()[0], 10)
        wait_for(lambda: "IsViewable" in subprocess.run(["xwininfo", "-id", xid], capture_output=True,
                                                         text=True).stdout, 10)
        geometry = wait_for(lambda: xdotool("getwindowgeometry", xid))
        time.sleep(0.5)  # let the first frame be painted
        subprocess.run(["import", "-window", xid, path], check=True)
        size = geometry.split("Geometry:")[1].split()[0]
        position = geometry.split("Position:")[1].split()[0]
        return size, position
    finally:
        process.kill()
        process.wait()


def check_hidpi(tmp):
    one, at_one = window_image(1, f"{tmp}/scale1.png")
    two, at_two = window_image(2, f"{tmp}/scale2.png")
    check(one == "399x401", "at scale 1 the window is 399x401: " + one)
    check(two == "798x802", "at scale 2 the window is twice the size: " + two)
    check(at_one == "192,107", "at scale 1 it opens where designed, 192,107: " + at_one)
    # 1280x900 is 640x450 at scale 2: 107 + 401 > 450, so the window moves up to 49.
    check(at_two == "384,98", "at scale 2 it moves up to stay on the 1280x900 screen: " + at_two)
    # Halved again, the large window must look like the small one: nothing
    # clipped or moved beyond what the fonts' hinting changes.
    subprocess.run(["convert", f"{tmp}/scale2.png", "-resize", "50%", f"{tmp}/half.png"], check=True)
    compare = subprocess.run(["compare", "-metric", "RMSE", f"{tmp}/scale1.png", f"{tmp}/half.png", "null:"],
                             capture_output=True, text=True)
    rmse = float(compare.stderr.split("(")[1].split(")")[0])
    check(rmse < 0.06, f"scale 2 halved matches scale 1 (normalised RMSE {rmse:.3f})")


def check_comma_settings():
    """Regional settings with a decimal comma, a US keyboard: the keypad's
    decimal key types the comma, Alt+letter types nothing, roots use commas."""
    env = dict(os.environ, LC_ALL="ru_RU.UTF-8")
    process = subprocess.Popen([PROGRAM], env=env, stderr=subprocess.DEVNULL)
    try:
        w = Window(process)
        w.focus()
        wait_for(lambda: has(w.a, pyatspi.STATE_FOCUSED))
        type_text("1")
        key("alt+x", "alt+Cyrillic_o")
        key("Tab")
        type_text("-3")
        key("Tab")
        type_text("1")
        key("KP_Decimal")
        type_text("25")
        key("KP_Decimal")
        check(wait_for(lambda: text_of(w.c) == "1,25") and text_of(w.a) == "1",
              f"keypad decimal types a comma, Alt+x nothing: a={text_of(w.a)!r}, c={text_of(w.c)!r}")
        key("Return", "Return")
        check(wait_for(lambda: w.result_text() == "x1= 2,5; x2= 0,5"),
              "solved with commas: " + w.result_text())

        # «Решение и график», from the module, writes the numbers with commas too.
        click(w.a)
        key("ctrl+a")
        type_text("1,5")
        click(w.c)
        key("ctrl+a")
        type_text("1")
        click(w.solve)
        check(wait_for(lambda: w.result_text().startswith("x1= 1,577")), "solved 1,5, -3, 1: " + w.result_text())
        key("ctrl+r")
        frame = wait_for(lambda: find(w.app, pyatspi.ROLE_FRAME, "Решение и график"))
        steps = frame and wait_for(lambda: find_named(frame, "Решение"))
        shown = wait_for(lambda: "≈ 1,577" in text_of(steps) and text_of(steps)) if steps else None
        check(bool(shown) and "a = 1,5" in shown,
              "the steps use commas: " + (text_of(steps)[:80] if steps else "no steps"))

        # b under the plot, from the keyboard: typed with a comma, then an arrow
        # key; the steps and the spin box's description give the new roots.
        b = frame and find(frame, pyatspi.ROLE_SPIN_BUTTON, "b")
        check(b is not None and b.queryText().getText(0, -1) == "−3", "b under the plot reads −3")
        if b is not None:
            # By _NET_WM_NAME: in this locale xdotool matches WM_NAME in the wrong encoding.
            def titled(xid):
                shown = subprocess.run(["xprop", "-id", xid, "_NET_WM_NAME"], capture_output=True, text=True)
                return "Решение и график" in shown.stdout
            xid = next(x for x in xdotool("search", "--pid", str(process.pid)).split() if titled(x))
            xdotool("windowfocus", "--sync", xid)
            click(b)
            key("ctrl+a")
            type_text("-2,5")
            key("Return")
            check(wait_for(lambda: "1,5x² − 2,5x + 1 = 0" in text_of(steps) and text_of(b) == "−2,5"),
                  "b typed as −2,5 explains 1,5x² − 2,5x + 1 = 0: " + text_of(b))
            check(wait_for(lambda: "x₁ = 1" in text_of(steps) and b.description.startswith("корни около 0,6667 и 1")),
                  "its roots are in the steps and in b's description: " + b.description)
            # Steps of a hundredth of b's order, a page of ten of them.
            key("Prior")
            check(wait_for(lambda: "1,5x² − 2,4x + 1 = 0" in text_of(steps) and b.description == "корней нет"),
                  "Page Up makes b −2,4, no roots: " + b.description)
            slider = find(frame, pyatspi.ROLE_SLIDER, "b")
            value = slider and wait_for(lambda: slider.queryValue().currentValue)
            check(value is not None and abs(value + 2.4) < 1e-9, f"the slider of b reads −2,4, not a position: {value}")
    finally:
        process.kill()
        process.wait()


def find_named(root, name):
    return pyatspi.findDescendant(root, lambda o: o is not None and o.name == name)


def check_solution_window():
    """«Решение и график»: opened from the result line's menu and by Ctrl+R,
    read over AT-SPI, following a second Solve; its plot copied as a PNG."""
    process = subprocess.Popen([PROGRAM])
    try:
        w = Window(process)
        w.focus()
        wait_for(lambda: has(w.a, pyatspi.STATE_FOCUSED))
        type_text("1")
        key("Tab")
        type_text("-3")
        key("Tab")
        type_text("1")
        key("Return", "Return")
        check(wait_for(lambda: w.result_text() == "x1= 2,618; x2= 0,382".replace(",", ".")),
              "solved 1, -3, 1: " + w.result_text())

        # The result line's menu: «Копировать», then «Решение и график…».
        x, y, width, height = w.result.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        xdotool("mousemove", str(x + width // 2), str(y + height // 2), "click", "3")
        time.sleep(0.3)
        key("Down", "Down", "Return")
        frame = wait_for(lambda: find(w.app, pyatspi.ROLE_FRAME, "Решение и график"))
        check(frame is not None, "the menu opens «Решение и график»")
        steps = wait_for(lambda: find_named(frame, "Решение"))
        check(steps is not None and "x₁ = (3 + √5)/2 ≈ 2.618" in text_of(steps),
              "the steps are read over AT-SPI: " + (text_of(steps)[:60] if steps else "nothing"))
        plot = find_named(frame, "График")
        check(plot is not None and plot.description.startswith("Парабола y = x² − 3x + 1, ветви вверх"),
              "the plot describes what it shows: " + (plot.description[:60] if plot else "nothing"))

        def solution_xid():
            return xdotool("search", "--all", "--pid", str(process.pid), "--name", "Решение и график").split()[0]

        def viewable():  # Qt may destroy the X window of a closed one
            try:
                shown = subprocess.run(["xwininfo", "-id", solution_xid()], capture_output=True, text=True)
            except (subprocess.CalledProcessError, IndexError):
                return False
            return "IsViewable" in shown.stdout
        check(wait_for(viewable), "it is shown")
        left = int(xdotool("getwindowgeometry", solution_xid()).split("Position:")[1].split(",")[0])
        check(left >= 192 + 399, f"it opens beside the main window, not over it (x = {left})")
        xdotool("windowfocus", "--sync", solution_xid())
        key("Escape")
        check(wait_for(lambda: not viewable()), "Esc closes it")

        # Ctrl+R from a field of the main window opens it again.
        w.focus()
        click(w.a)
        key("ctrl+r")
        check(wait_for(viewable), "Ctrl+R opens it again")

        # A second Solve: the window follows.
        w.focus()
        click(w.a)
        key("ctrl+a")
        type_text("2")
        click(w.solve)
        check(wait_for(lambda: "2x² − 3x + 1 = 0" in text_of(steps)), "it follows a second Solve")

        # The plot's picture on the clipboard, as a PNG.
        xdotool("windowfocus", "--sync", solution_xid())
        click(plot)
        key("ctrl+c")
        png = wait_for(lambda: subprocess.run(["xclip", "-selection", "clipboard", "-t", "image/png", "-o"],
                                              capture_output=True, timeout=5).stdout)
        check(png is not None and png.startswith(b"\x89PNG") and len(png) > 2000,
              f"Ctrl+C on the plot copies a PNG ({len(png) if png else 0} bytes)")

        # 1, -3, 2 as an inequality: «Знак», found over AT-SPI, opened by a click, > 0 chosen.
        w.focus()
        for field, value in ((w.a, "1"), (w.c, "2")):
            click(field)
            key("ctrl+a")
            type_text(value)
        click(w.solve)
        xdotool("windowfocus", "--sync", solution_xid())
        click(labelled(frame, pyatspi.ROLE_COMBO_BOX, "Знак"))
        time.sleep(0.3)
        key("Down", "Return")
        check(wait_for(lambda: "x² − 3x + 2 > 0" in text_of(steps)), "> 0 makes it an inequality")
        check(wait_for(lambda: "Ответ: x ∈ (−∞; 1) ∪ (2; +∞)." in text_of(steps)),
              "the answer of x² − 3x + 2 > 0: " + text_of(steps)[-60:])
        said = text_of(steps)
        check("Знаки: + на (−∞; 1), − на (1; 2), + на (2; +∞)" in said and "\ufffc" not in said
              and "\u2060" not in said, "the number line is read as its signs, with no picture or joiner")

        # «= 0» again, and 1, 1, 1: no roots in the school's course; «Комплексные корни» from the
        # menu «Решение» by its keys (Alt+Р, К) gives the complex pair.
        click(labelled(frame, pyatspi.ROLE_COMBO_BOX, "Знак"))
        time.sleep(0.3)
        key("Up", "Return")
        w.focus()
        for field in (w.b, w.c):
            click(field)
            key("ctrl+a")
            type_text("1")
        click(w.solve)
        check(wait_for(lambda: "Ответ: корней нет." in text_of(steps)),
              "1, 1, 1 has no roots: " + text_of(steps)[-18:])
        xdotool("windowfocus", "--sync", solution_xid())
        key("alt+Cyrillic_er", "Cyrillic_ka")
        check(wait_for(lambda: "Ответ: x₁,₂ = (−1 ± i√3)/2." in text_of(steps)),
              "«Комплексные корни» from the menu gives the pair: " + text_of(steps)[-27:])
        click(w.exit)
        check(process.wait(timeout=5) == 0, "Exit closes both windows with exit code 0")
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


def main():
    # The program keeps its choices in the user's settings: here in a folder
    # of this run's own, so that the run begins with none and leaves the
    # user's alone.
    settings = tempfile.TemporaryDirectory()
    os.environ["XDG_CONFIG_HOME"] = settings.name
    check_hidpi(os.environ["XDG_RUNTIME_DIR"])
    process = subprocess.Popen([PROGRAM])
    try:
        w = Window(process)
        check(w.frame is not None, "the window has the title " + TITLE)
        check(None not in (w.a, w.b, w.c), "the fields are announced as a, b and c")
        check(None not in (w.solve, w.clear, w.exit), "the buttons are announced by their captions")
        check(w.result is not None and w.result.name == "", "the result line is found by its description, empty")
        check([o.description for o in (w.a, w.b, w.c)] == ["Коэффициент a", "Коэффициент b", "Коэффициент c"],
              "the fields are described as Коэффициент a, b, c")
        check(not has(w.solve, pyatspi.STATE_SENSITIVE), "Solve starts disabled")
        heard = []  # what a screen reader is told of the result line without the focus

        def listen(event):
            try:
                if event.source.description.startswith("Результат"):
                    heard.append((event.type, str(event.any_data)))
            except Exception:
                pass
        pyatspi.Registry.registerEventListener(listen, "object:text-changed:insert", "object:announcement")
        w.focus()
        check(wait_for(lambda: has(w.a, pyatspi.STATE_FOCUSED)), "the field a holds the focus")

        # The typical request, from the keyboard alone.
        type_text("1")
        key("Tab")
        type_text("-3")
        key("Tab")
        type_text("2")
        check(wait_for(lambda: text_of(w.c) == "2") and text_of(w.a) == "1" and text_of(w.b) == "-3",
              "typed 1, -3, 2 into a, b, c")
        key("Return")
        check(wait_for(lambda: has(w.solve, pyatspi.STATE_FOCUSED)), "Enter in c moves the focus to Solve")
        check(w.result_text() == "", "Enter in a field does not solve")
        key("Return")
        check(wait_for(lambda: w.result_text() == "x1= 2; x2= 1"), "a second Enter solves: x1= 2; x2= 1")
        check(wait_for(lambda: ("object:text-changed:insert", "x1= 2; x2= 1") in heard),
              "the new result reaches a screen reader as inserted text: " + repr(heard))
        qt = tuple(int(n) for n in w.app.get_toolkit_version().split(".")[:2])
        if qt >= (6, 8):
            check(wait_for(lambda: ("object:announcement", "x1= 2; x2= 1") in heard),
                  f"Qt {qt[0]}.{qt[1]} also announces it")
        check(has(w.solve, pyatspi.STATE_FOCUSED), "the focus stays on Solve")

        # Ctrl+C on Solve copies the whole result line; pasted into b it is one line.
        key("ctrl+c")
        click(w.b)
        key("ctrl+a", "ctrl+v")
        check(wait_for(lambda: text_of(w.b) == "x1= 2; x2= 1"), "Ctrl+C on Solve copied the result: " + text_of(w.b))

        # Tab order, with Solve enabled: a, b, c, Solve, Clear, Exit, and round again.
        click(w.a)
        order = []
        for _ in range(6):
            key("Tab")
            time.sleep(0.05)
            focused = [n for n, o in (("a", w.a), ("b", w.b), ("c", w.c), ("Решать", w.solve),
                                       ("Очистить", w.clear), ("Выход", w.exit))
                       if has(o, pyatspi.STATE_FOCUSED)]
            order.append(focused[0] if focused else "?")
        check(order == ["b", "c", "Решать", "Очистить", "Выход", "a"], "Tab order from a: " + ", ".join(order))

        # Clear by mouse.
        click(w.clear)
        check(wait_for(lambda: text_of(w.a) == text_of(w.b) == text_of(w.c) == "" and w.result_text() == ""),
              "Clear empties the fields and the result")
        check(not has(w.solve, pyatspi.STATE_SENSITIVE), "Solve is disabled after Clear")

        # A second decimal separator is dropped.
        click(w.a)
        type_text("1.5.2")
        check(wait_for(lambda: text_of(w.a) == "1.52"), "typing 1.5.2 leaves 1.52: " + text_of(w.a))

        # A missing value: the box asks for it, then the focus lands in the empty field.
        click(w.c)
        type_text("2")
        key("Return")
        key("Return")
        answered = w.answer_box()
        check(answered is not None and "Надо ввести значения параметров a,b,c" in answered[1],
              "the missing-value box says: " + (answered[1] if answered else "nothing"))
        check(wait_for(lambda: has(w.b, pyatspi.STATE_FOCUSED)), "the focus lands in the empty field b")

        # A text that is no number: reported, and the window goes on.
        type_text("x")
        click(w.solve)
        answered = w.answer_box()
        check(answered is not None and "«x»" in answered[1] and "не является правильным числом" in answered[1],
              "the error box says: " + (answered[1] if answered else "nothing"))
        check(text_of(w.b) == "x" and w.result_text() == "", "the window is unchanged after the error")
        click(w.b)
        key("BackSpace")
        type_text("-3")
        click(w.solve)
        # 1.52·x² - 3·x + 2: D = 9 - 12.16 < 0.
        check(wait_for(lambda: w.result_text() == "Уравнение решений не имеет"),
              "the window still solves: " + w.result_text())

        # Exit.
        click(w.exit)
        try:
            code = process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            code = None
        check(code == 0, f"Exit ends the program with exit code 0 (got {code})")
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
    check_comma_settings()
    check_solution_window()
    print(f"{checks - len(failures)} passed, {len(failures)} failed", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
