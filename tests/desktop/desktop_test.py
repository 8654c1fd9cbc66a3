#!/usr/bin/python3
"""Teskora as a person and a screen-reader user meet it, on a real desktop.

Starts a throwaway X server (Xvfb) with a window manager (openbox), a session
bus and the accessibility bus, starts the built program on it, drives it only
from outside the process with real keys and clicks (xdotool), and reads what
it shows through AT-SPI. Ends by itself; on a failure it names the step and
leaves a screenshot in the build folder.

    desktop_test.py <teskora binary> <build folder>
"""
import os
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi

TESKORA, BUILD = sys.argv[1], sys.argv[2]
DEADLINE = time.monotonic() + 90
SCRATCH = tempfile.mkdtemp(prefix="teskora-desktop-")
TOOLS = os.path.join(SCRATCH, "bin")  # the program's PATH: no system-information tool at first
MARKER = os.path.join(SCRATCH, "tool-started")
started = []  # what this test started, ended in reverse order
step = "setting up the desktop"


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def wait_for(probe, what, timeout=5.0):
    """Polls probe until it gives something true; the tree follows a window a few ms late."""
    end = min(time.monotonic() + timeout, DEADLINE)
    while True:
        try:
            value = probe()
        except Exception:  # a node that went away while it was read
            value = None
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.05)


def start(args, env=None, stderr=subprocess.DEVNULL):
    process = subprocess.Popen(args, env=env, stdout=subprocess.DEVNULL, stderr=stderr)
    started.append(process)
    return process


def desktop():
    """Xvfb on a free display, a session bus, the accessibility bus, openbox."""
    display = next(":%d" % n for n in range(77, 200)
                   if not os.path.exists("/tmp/.X11-unix/X%d" % n) and not os.path.exists("/tmp/.X%d-lock" % n))
    start(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"])
    os.environ["DISPLAY"] = display
    wait_for(lambda: subprocess.run(["xdpyinfo"], capture_output=True).returncode == 0, "the X server")
    bus = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
                         capture_output=True, text=True, check=True).stdout.split()
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus[0]
    started.append(int(bus[1]))
    os.environ["XDG_RUNTIME_DIR"] = SCRATCH
    start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    # openbox runs its start-up command once it is up, key bindings and all.
    ready = os.path.join(SCRATCH, "window-manager-ready")
    start(["openbox", "--startup", "touch " + ready])
    wait_for(lambda: os.path.exists(ready), "the window manager")


def xdo(*args):
    subprocess.run(["xdotool", *args], check=True)


def key(*keys):
    xdo("key", "--clearmodifiers", *keys)


def type_text(text):
    xdo("type", "--", text)


def layout(name):
    subprocess.run(["setxkbmap", name], check=True)


# Reading through AT-SPI

def application():
    root = pyatspi.Registry.getDesktop(0)
    for i in range(root.childCount):
        child = root.getChildAtIndex(i)
        if child is not None and child.name == "teskora":
            return child
    return None


def has(node, state):
    return node.getState().contains(state)


def windows():
    """The program's top-level windows that are showing: (caption without its leading blanks, node)."""
    app = application()
    if app is None:
        return []
    found = []
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if window is not None and has(window, pyatspi.STATE_SHOWING):
            found.append((window.name.strip(), window))
    return found


def captions():
    return sorted(caption for caption, _ in windows())


def window(caption, timeout=5.0):
    return wait_for(lambda: next((w for c, w in windows() if c == caption), None), "the window " + repr(caption), timeout)


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child
            yield from descendants(child)


def find(parent, role, name=None):
    for node in descendants(parent):
        if node.getRoleName() == role and (name is None or node.name == name) and has(node, pyatspi.STATE_SHOWING):
            return node
    return None


def control(caption, role, name):
    return wait_for(lambda: find(window(caption), role, name), "%s %r in %r" % (role, name, caption))


def text_of(node):
    return node.queryText().getText(0, -1)


def focused():
    """The control that has the focus: (role, name) or None."""
    for _, top in windows():
        for node in descendants(top):
            if has(node, pyatspi.STATE_FOCUSED) and node.getRoleName() not in ("panel", "filler"):
                return node.getRoleName(), node.name
    return None


def expect_focus(role, name):
    wait_for(lambda: focused() == (role, name), "the focus on %s %r (it is on %r)" % (role, name, focused()))


def click(node):
    x, y, width, height = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdo("mousemove", "--sync", str(x + width // 2), str(y + height // 2), "click", "1")


def alert(text):
    """Waits for a message box with that text; gives its title."""
    def shown():
        for caption, top in windows():
            if top.getRoleName() == "alert" and find(top, "label", text):
                return caption
        return None
    return wait_for(shown, "the message %r (windows: %r)" % (text, captions()))


def expect_no_alert():
    check(not [c for c, w in windows() if w.getRoleName() == "alert"], "no message box is open: " + repr(captions()))


def every_control_named(caption):
    """Every control of the window that is showing and can take the focus has a name for a screen reader."""
    for node in descendants(window(caption)):
        if has(node, pyatspi.STATE_SHOWING) and has(node, pyatspi.STATE_FOCUSABLE):
            check(node.name.strip(), "a %s without a name in %r" % (node.getRoleName(), caption))


def wait_for_windows(expected, timeout=5.0):
    wait_for(lambda: captions() == sorted(expected), "the windows %r (open: %r)" % (sorted(expected), captions()), timeout)


# The road

MAIN = "Решение системы линейных уравнений методом вращения"
COUNT = "Начало работы"
GRID = "Ввод левой части"
ANSWERS = "Ввод ответа"
RESULTS = "Результат вычислений"
EXIT = "Выход из программы"
ABOUT = "О программе"

# 3 x1 + x2 - x3 = 2, x1 + 0,5 x2 + x3 = 5, 2 x1 - x2 + 4 x3 = 12: x = (1, 2, 3), each shown
# whole at 15 digits, with what rounding leaves in the error figure.
COEFFICIENTS = [["3", "1", "-1"], ["1", "0,5", "1"], ["2", "-1", "4"]]
ANSWERS_TYPED = ["2", "5", "12"]
SHOWN = {"Х1": "1", "Х2": "2", "Х3": "3", "Погрешность вычислений (%)": "0,0000000000000222044604925031"}


def grid_box(i, j):
    return control(GRID, "text", "Коэффициент при Х%d, уравнение %d" % (j, i))


def exit_then_no(caption, boxes):
    """"Выход", then "Нет": the dialog goes, the window and every typed value stay."""
    before = [text_of(box) for box in boxes]
    click(control(caption, "push button", "Выход"))
    window(EXIT)
    expect_focus("push button", "Нет")
    every_control_named(EXIT)
    key("Return")
    wait_for(lambda: EXIT not in captions(), "the exit confirmation to close")
    check([text_of(box) for box in boxes] == before, "typed values changed behind the exit confirmation")


def window_manager_close(caption, opens, focus):
    """Alt+F4, the window manager's close, acts as the window's own leave button."""
    wid = xdo_window(caption)
    wait_for(lambda: "=" in subprocess.run(["xprop", "-id", wid, "_NET_FRAME_EXTENTS"], capture_output=True,
                                            text=True).stdout, "the window manager to frame %r" % caption)
    xdo("windowactivate", "--sync", wid)
    wait_for(lambda: subprocess.run(["xdotool", "getactivewindow"], capture_output=True, text=True).stdout.strip() == wid,
             "the window manager to activate %r" % caption)
    key("alt+F4")
    window(opens)
    expect_focus(*focus)


def xdo_window(caption):
    """The X window of the program with that caption (xdotool's own search misses Cyrillic names)."""
    ids = subprocess.run(["xdotool", "search", "--class", "teskora"], capture_output=True, text=True).stdout.split()
    for wid in ids:
        name = subprocess.run(["xdotool", "getwindowname", wid], capture_output=True, text=True).stdout
        if name.strip() == caption:
            return wid
    raise Failure("no X window for " + repr(caption))


def road(app):
    global step
    step = "start: the main window with the focus on \"Начать работу\""
    wait_for_windows([MAIN], timeout=10)
    expect_focus("push button", "Начать работу")
    every_control_named(MAIN)

    step = "main window: Alt+F4 asks whether to quit, \"Нет\" goes back"
    window_manager_close(MAIN, EXIT, ("push button", "Нет"))
    key("Return")
    wait_for_windows([MAIN])

    step = "count step: Shift+5 under a Russian layout enables \"Далее\" and moves the focus, Enter keeps the step"
    expect_focus("push button", "Начать работу")
    key("Return")
    window(COUNT)
    every_control_named(COUNT)
    layout("ru")
    try:
        key("shift+5")
        expect_focus("push button", "Далее")
        check(has(control(COUNT, "push button", "Далее"), pyatspi.STATE_ENABLED), "\"Далее\" stayed disabled")
        key("Return")
        expect_focus("text", "Количество неизвестных")
        check(COUNT in captions() and GRID not in captions(), "the step let a shifted digit through")
        check(not has(control(COUNT, "push button", "Далее"), pyatspi.STATE_ENABLED), "\"Далее\" stayed enabled")
    finally:
        layout("us")

    step = "count step: keypad 3 then Enter opens a 3 x 3 grid"
    key("KP_3")
    expect_focus("push button", "Далее")
    key("Return")
    window(GRID)
    boxes = [node for node in descendants(window(GRID)) if node.getRoleName() == "text" and has(node, pyatspi.STATE_SHOWING)]
    check(len(boxes) == 9, "the grid shows %d boxes" % len(boxes))
    every_control_named(GRID)

    step = "grid: coefficients typed with Tab, one with a full stop refused by two message boxes"
    expect_focus("text", "Коэффициент при Х1, уравнение 1")
    for i, row in enumerate(COEFFICIENTS, start=1):
        for j, value in enumerate(row, start=1):
            type_text("0.5" if (i, j) == (2, 2) else value)
            key("Tab")
    expect_focus("push button", "Далее")
    key("Return")
    check(alert("Не является числом коэффициент при Х2") == "Ошибка в строке 2", "title of the first message")
    key("Return")
    check(alert("Попробуйте ввести его заново") == "Реализация метода вращений", "title of the second message")
    key("Return")
    wait_for(lambda: not [c for c, w in windows() if w.getRoleName() == "alert"], "the messages to close")
    expect_focus("text", "Коэффициент при Х2, уравнение 2")

    step = "grid: \"Выход\" then \"Нет\" keeps every value; Alt+F4 asks whether to quit"
    key("ctrl+a")
    type_text("0,5")
    exit_then_no(GRID, boxes)
    window_manager_close(GRID, EXIT, ("push button", "Нет"))
    click(control(EXIT, "push button", "Нет"))
    wait_for_windows([GRID])

    step = "grid: \"Далее\" takes the corrected grid to the right-hand sides"
    click(control(GRID, "push button", "Далее"))
    window(ANSWERS)
    every_control_named(ANSWERS)
    expect_focus("text", "Ответ уравнения 1")
    for value in ANSWERS_TYPED:
        type_text(value)
        key("Tab")
    expect_focus("push button", "Вычислить")
    answers = [control(ANSWERS, "text", "Ответ уравнения %d" % i) for i in (1, 2, 3)]
    exit_then_no(ANSWERS, answers)

    step = "\"Вычислить\": every unknown and the error figure as shown"
    click(control(ANSWERS, "push button", "Вычислить"))
    window(RESULTS)
    wait_for_windows([RESULTS])
    expect_no_alert()
    for name, expected in SHOWN.items():
        shown = text_of(control(RESULTS, "text", name))
        check(shown == expected, "%s shows %r, not %r" % (name, shown, expected))
    expect_focus("push button", "Далее")
    every_control_named(RESULTS)
    window_manager_close(RESULTS, EXIT, ("push button", "Нет"))
    key("Return")
    wait_for_windows([RESULTS])
    click(control(RESULTS, "push button", "Далее"))
    wait_for_windows([MAIN])

    step = "about: without a system-information tool the single message"
    click(control(MAIN, "push button", "О программе"))
    window(ABOUT)
    every_control_named(ABOUT)
    check(find(window(ABOUT), "label", "Version 2.3.28"), "the version text")
    click(control(ABOUT, "push button", "Информация о системе..."))
    check(alert("System Information Is Unavailable At This Time") == "Реализация метода вращений", "the message's title")
    key("Return")
    wait_for_windows([MAIN, ABOUT])

    step = "about: a tool on PATH is started and the dialog stays"
    tool = os.path.join(TOOLS, "hardinfo2")
    with open(tool, "w") as script:
        script.write("#!/bin/sh\necho started > '%s'\n" % MARKER)
    os.chmod(tool, 0o755)
    click(control(ABOUT, "push button", "Информация о системе..."))
    wait_for(lambda: os.path.exists(MARKER), "the stand-in tool to start")
    time.sleep(0.3)
    expect_no_alert()
    wait_for_windows([MAIN, ABOUT])
    window_manager_close(ABOUT, MAIN, ("push button", "О программе"))
    wait_for_windows([MAIN])

    step = "\"Выход\" then \"Да\": every window goes and the program ends with status 0"
    click(control(MAIN, "push button", "Выход"))
    click(control(EXIT, "push button", "Да"))
    try:
        status = app.wait(timeout=2)
    except subprocess.TimeoutExpired:
        raise Failure("the program still runs two seconds after \"Да\"")
    check(status == 0, "the program ended with status %d" % status)


def main():
    global step
    os.makedirs(TOOLS)
    try:
        desktop()
        env = dict(os.environ, LANG="ru_RU.UTF-8", LC_ALL="", PATH=TOOLS, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_QPA_PLATFORM="xcb")
        env.pop("LC_ALL")
        layout("us")
        app = start([TESKORA], env=env, stderr=open(os.path.join(SCRATCH, "teskora.log"), "w"))
        road(app)
        print("desktop test passed")
        return 0
    except Exception as failure:
        shot = os.path.join(BUILD, "desktop_test_failure.png")
        subprocess.run(["import", "-window", "root", shot], capture_output=True)
        print("desktop test FAILED at the step: %s\n  %s: %s\n  windows open: %r\n  screenshot: %s"
              % (step, type(failure).__name__, failure, captions() if os.environ.get("DISPLAY") else [], shot))
        log = os.path.join(SCRATCH, "teskora.log")
        if os.path.exists(log):
            print("  what the program wrote:\n" + open(log).read()[-2000:])
        return 1
    finally:
        for process in reversed(started):
            try:
                if isinstance(process, int):
                    os.kill(process, signal.SIGTERM)
                elif process.poll() is None:
                    process.terminate()
                    process.wait(timeout=5)
            except Exception:
                pass
        subprocess.run(["rm", "-rf", SCRATCH])


if __name__ == "__main__":
    sys.exit(main())
