#!/usr/bin/python3
# Teskora as a person and a screen-reader user meet it, on a real desktop.
#
# Starts a throwaway X server (Xvfb) with a window manager (openbox), a session
# bus, the accessibility bus and the screen reader Orca, starts the built
# program on it, drives it only from outside the process with real keys and
# clicks (xdotool) and the real clipboard (xclip), and reads what it shows
# through AT-SPI and what Orca would say from Orca's debug log. Ends by
# itself; on a failure it names the step and leaves a screenshot in the build
# folder.
#
# With --wayland the desktop is a Wayland session instead: the compositor
# weston, with XWayland, shown in a window of the throwaway X server, whose
# keyboard and pointer are the session's seat. The program is started as in
# such a session (WAYLAND_DISPLAY, DISPLAY and XDG_SESSION_TYPE=wayland set)
# and chooses X through XWayland itself; the keys and clicks go through the
# compositor, as a person's do. At the end the program runs natively on
# Wayland, without an X server, and is checked to open active and named.
#
#     desktop_test.py <teskora binary> <build folder> [--wayland]
import os
import subprocess
import sys
import tempfile
import time

import pyatspi

TESKORA, BUILD = sys.argv[1], sys.argv[2]
WAYLAND = "--wayland" in sys.argv[3:]
DEADLINE = time.monotonic() + 320
HOST = {}  # where real input goes: under --wayland the compositor's own X server

SCRATCH = tempfile.mkdtemp(prefix="teskora-desktop-")
TOOLS = os.path.join(SCRATCH, "bin")  # the program's PATH: no system-information tool at first
ORCA_LOG = os.path.join(SCRATCH, "orca.log")
started = []  # what this test started, ended in reverse order
PROGRAM = []  # the program under test, the latest run last
DESKTOP_RETRIES = []  # where the desktop failed and a step was taken again
LAUNCH = []  # how it is started
SEEN = {"windows": [], "speech": 0}  # the windows the last wait for windows saw, and Orca's phrases by then
step = "setting up the desktop"
# Orca, with its debug log written line by line (Orca buffers it), so that
# what it says can be read as soon as it says it.
ORCA = ("import builtins, runpy, sys\n"
        "plain = builtins.open\n"
        "builtins.open = lambda f, m='r', *a, **k: plain(f, m, *a, **(k if a or k or m != 'w' else {'buffering': 1}))\n"
        "sys.argv[0] = '/usr/bin/orca'\n"
        "runpy.run_path('/usr/bin/orca', run_name='__main__')\n")

MAIN = "Решение системы линейных уравнений методом вращения"
COUNT = "Начало работы"
GRID = "Ввод левой части"
ANSWERS = "Ввод ответа"
RESULTS = "Результат вычислений"
EXIT = "Выход из программы"
ABOUT = "О программе"
COURSE = "Ход решения"
DIALOGS = (EXIT, ABOUT)
# The button the window manager's close presses in each window.
LEAVE_BUTTONS = {MAIN: "Выход", GRID: "Выход", ANSWERS: "Выход", RESULTS: "Выход", ABOUT: "OK"}

# 3 x1 + x2 - x3 = 2, x1 + 0,5 x2 + x3 = 5, 2 x1 - x2 + 4 x3 = 12: x = (1, 2, 3), each shown
# whole at 15 digits, with what rounding leaves in the error figure.
COEFFICIENTS = [["3", "1", "-1"], ["1", "0,5", "1"], ["2", "-1", "4"]]
RIGHT_HAND_SIDES = ["2", "5", "12"]
FIGURE = "0,0000000000000222044604925031"
SHOWN = {"Х1": "1", "Х2": "2", "Х3": "3", "Погрешность вычислений (%)": FIGURE}
# Lines of the course: the legend, and a table whose columns stand.
COURSE_SHOWN = ["  c = (1 − t²)/(1 + t²); s = 2t/(1 + t²); t — тангенс половины угла вращения.",
                "         Х1   Х2  Х3   b",
                "  ур. 1   3    1  -1   2",
                "  ур. 2   1  0,5   1   5",
                "  ур. 3   2   -1   4  12",
                "Погрешность вычислений (%): " + FIGURE]


class Failure(Exception):
    pass


def fail(what):
    raise Failure(what)


def check(condition, what):
    condition or fail(what)


def xdo(*args):
    # Real input: keys, typing and the pointer.
    subprocess.run(["xdotool", *args], check=True, env=dict(os.environ, **HOST))


def poll(probe, timeout):
    # Polls probe until it gives something true, or the time is up: the tree follows a window a few ms late.
    end = min(time.monotonic() + timeout, DEADLINE)
    while True:
        try:
            value = probe()
        except Exception:  # a node that went away while it was read
            value = None
        if value or time.monotonic() > end:
            return value
        time.sleep(0.05)


def wait_for(probe, what, timeout=5.0):
    return poll(probe, timeout) or fail("timed out waiting for " + (what() if callable(what) else what))


def start(args, env=None, **streams):
    process = subprocess.Popen(args, env=env, **{"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL, **streams})
    started.append(process)
    return process


def run(*args):
    return subprocess.run(args, capture_output=True, text=True).stdout.strip()


def x_server(size):
    # Xvfb on a display it picks itself (two desktop tests may start at once),
    # its keyboard map set before any client grabs a key: a map changed later
    # makes a window manager grab its keys anew.
    # -noreset: without it the server resets whenever its last client leaves, and
    # a client connecting just then is refused.
    read, write = os.pipe()
    start(["Xvfb", "-displayfd", str(write), "-screen", "0", size, "-nolisten", "tcp", "-noreset"], pass_fds=(write,))
    os.close(write)
    with os.fdopen(read) as chosen:
        display = ":" + chosen.readline().strip()
    wait_for(lambda: subprocess.run(["xdpyinfo", "-display", display], capture_output=True).returncode == 0,
             "the X server")
    subprocess.run(["setxkbmap", "-display", display, "us"], check=True)
    return display


def desktop():
    os.environ.update(XDG_RUNTIME_DIR=SCRATCH, HOME=SCRATCH)
    if WAYLAND:
        wayland_session()
    else:
        os.environ["DISPLAY"] = x_server("1920x1080x24")
        # openbox runs its start-up command once it is up, key bindings and all.
        ready = os.path.join(SCRATCH, "window-manager-ready")
        start(["openbox", "--startup", "touch " + ready])
        wait_for(lambda: os.path.exists(ready), "the window manager")
    # A session bus and the accessibility bus.
    bus = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
                         capture_output=True, text=True, check=True).stdout.split()
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus[0]
    started.append(int(bus[1]))
    start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    # Orca in its laptop layout, which leaves the keypad to the program.
    prefs = os.path.join(SCRATCH, "orca")
    os.makedirs(prefs)
    with open(os.path.join(prefs, "user-settings.conf"), "w") as settings:
        settings.write('{"general": {"keyboardLayout": 2}, "pronunciations": {}, "keybindings": {},'
                       ' "profiles": {"default": {"profile": ["Default", "default"], "keyboardLayout": 2}}}')
    said = os.path.join(SCRATCH, "orca.out")
    orca = start(["/usr/bin/python3", "-c", ORCA, "--user-prefs", prefs, "--debug-file", ORCA_LOG],
                 stdout=open(said, "w"), stderr=subprocess.STDOUT)
    wait_for(lambda: speech() or orca.poll() is not None, "the screen reader", timeout=30)
    if orca.poll() is not None:
        # Orca refuses to start beside another Orca of the same user (one that
        # reads the desktop of a person running the suite): that one is theirs
        # and stays; the test cannot hear the program without its own.
        others = run("pgrep", "-u", str(os.getuid()), "-x", "orca").split()
        fail("the screen reader did not start: another Orca runs for this user (pid %s), and Orca runs once per "
             "user; the test leaves it running. Run the test as another user, or with that screen reader off. "
             "Orca said: %s" % (", ".join(others) or "none found", open(said).read().strip()[-300:]))


def wayland_session():
    # weston in a window of its own X server, which gives the session its seat; XWayland beside it.
    host = x_server("1920x1080x24")
    HOST["DISPLAY"] = host
    runtime = os.path.join(SCRATCH, "run")
    os.makedirs(runtime, mode=0o700)
    log = os.path.join(SCRATCH, "weston.log")
    start(["weston", "--backend=x11-backend.so", "--use-pixman", "--width=1920", "--height=1080", "--socket=wayland-teskora",
           "--xwayland", "--idle-time=0", "--log=" + log], env=dict(os.environ, DISPLAY=host, XDG_RUNTIME_DIR=runtime))
    xwayland = wait_for(lambda: next((line.split("display ")[-1].strip() for line in open(log)
                                      if "xserver listening on display" in line), None), "XWayland", timeout=20)
    os.environ.update(DISPLAY=xwayland, WAYLAND_DISPLAY="wayland-teskora", XDG_RUNTIME_DIR=runtime,
                      XDG_SESSION_TYPE="wayland")
    wait_for(lambda: subprocess.run(["xdpyinfo"], capture_output=True).returncode == 0, "XWayland to answer")
    # The pointer over the compositor's window, whose keyboard the session's is.
    xdo("mousemove", "640", "400")


def input_display():
    return HOST.get("DISPLAY", os.environ["DISPLAY"])


def key(*keys):
    xdo("key", "--clearmodifiers", *keys)


def copy_to_clipboard(text):
    # xclip serves the clipboard from the foreground (-quiet) until the test ends.
    xclip = start(["xclip", "-quiet", "-selection", "clipboard"], stdin=subprocess.PIPE)
    xclip.stdin.write(text.encode())
    xclip.stdin.close()
    wait_for(lambda: run("xclip", "-selection", "clipboard", "-o") == text.strip(), "the clipboard to hold the text")


# Reading through AT-SPI

def has(node, state):
    return node.getState().contains(state)


def windows():
    # The program's top-level windows that are showing: (caption without its leading blanks, node).
    root = pyatspi.Registry.getDesktop(0)
    apps = [root.getChildAtIndex(i) for i in range(root.childCount)]
    app = next((a for a in apps if a is not None and a.name == "teskora"), None)
    tops = [app.getChildAtIndex(i) for i in range(app.childCount)] if app else []
    return [(w.name.strip(), w) for w in tops if w is not None and has(w, pyatspi.STATE_SHOWING)]


def captions():
    return sorted(caption for caption, _ in windows())


def text_of(node):
    return node.queryText().getText(0, -1)


def window(caption):
    return wait_for(lambda: next((w for c, w in windows() if c == caption), None), "the window " + repr(caption))


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child
            yield from descendants(child)


def find(parent, role, name=None):
    return next((n for n in descendants(parent) if n.getRoleName() == role and name in (None, n.name)
                 and has(n, pyatspi.STATE_SHOWING)), None)


def control(caption, role, name):
    return wait_for(lambda: find(window(caption), role, name), "%s %r in %r" % (role, name, caption))


def focused():
    # The control that has the focus: (role, name) or None.
    return next(((n.getRoleName(), n.name) for _, top in windows() for n in descendants(top)
                 if has(n, pyatspi.STATE_FOCUSED) and n.getRoleName() not in ("panel", "filler")), None)


def expect_focus(role, name):
    wait_for(lambda: focused() == (role, name), lambda: "the focus on %s %r (it is on %r)" % (role, name, focused()))


def x_window(caption):
    return next((w for w in run("xdotool", "search", "--class", "teskora").split()
                 if run("xdotool", "getwindowname", w).strip() == caption.strip()), None) \
        or fail("no X window for " + caption)


def top_level(node):
    while node.parent is not None and node.parent.getRoleName() != "application":
        node = node.parent
    return node


def click(node):
    # On the X desktop with the pointer. In the Wayland session with the keys,
    # as a keyboard user does: the window to the front, Tab to the control,
    # Space to press a button. (weston, nested in an X server and fed
    # synthetic pointer events, now and then loses a click before XWayland
    # sees it; its keys arrive.)
    if not WAYLAND:
        x, y, width, height = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        xdo("mousemove", "--sync", str(x + width // 2), str(y + height // 2), "click", "1")
        return
    wanted, moved = (node.getRoleName(), node.name), False
    for _ in range(40):
        if not moved:  # at first, and where the keyboard went to no window (weston, after a dialog)
            subprocess.run(["xdotool", "windowactivate", "--sync", x_window(top_level(node).name)], check=True)
        before = focused()
        if before == wanted:
            break
        # One Tab at a time, each seen arrive before the next: a key waits on
        # the screen reader, more so on a loaded machine, and Tabs sent ahead
        # of the focus carry it past the control, round after round.
        key("Tab")
        moved = poll(lambda: focused() not in (None, before), 3.0)
    check(focused() == wanted, "Tab does not reach %s %r (the focus is on %r)" % (wanted + (focused(),)))
    if wanted[0] == "push button":
        key("space")


def alert(text):
    # Waits for a message box with that text; gives its title.
    return wait_for(lambda: next((c for c, w in windows() if w.getRoleName() == "alert" and find(w, "label", text)), None),
                    lambda: "the message %r (windows: %r)" % (text, captions()))


def no_alert():
    return not [c for c, w in windows() if w.getRoleName() == "alert"]


def wait_for_windows(expected, timeout=5.0):
    # The windows open; one that has opened since the last such wait comes up
    # active, and only then do keys reach it (on a loaded machine weston gives
    # a new window the keyboard well after it shows). Orca has said it too: a
    # screen reader behind the program (on a loaded machine, or still learning
    # of a program just started) takes the focus where it finds it when it
    # catches up, and says nothing of what the keys passed on the way.
    wait_for(lambda: captions() == sorted(expected), lambda: "the windows %r (open: %r)" % (expected, captions()), timeout)
    for caption in set(expected) - set(SEEN["windows"]):
        wait_for(lambda: has(window(caption), pyatspi.STATE_ACTIVE), "the window %r, active" % caption)
        expect_spoken(SEEN["speech"], "%s %s" % (caption, window(caption).getRoleName()))
    SEEN.update(windows=expected, speech=len(speech()))


def check_window(caption):
    # A window, or a dialog, with its caption; every control that shows and can take the focus has a name.
    role = window(caption).getRoleName()
    check(role == ("dialog" if caption in DIALOGS else "frame"), "%r is presented as %s" % (caption, role))
    for node in descendants(window(caption)):
        if has(node, pyatspi.STATE_SHOWING) and has(node, pyatspi.STATE_FOCUSABLE):
            check(node.name.strip(), "a %s without a name in %r" % (node.getRoleName(), caption))


# What Orca says

def speech(mark=0):
    # The phrases Orca has spoken since the mark, a count of phrases.
    if not os.path.exists(ORCA_LOG):
        return []
    with open(ORCA_LOG, errors="replace") as log:
        return [line.split("SPEECH OUTPUT: ", 1)[1] for line in log if "SPEECH OUTPUT: " in line][mark:]


def expect_spoken(mark, *texts):
    missing = lambda: [t for t in texts if not any(t in phrase for phrase in speech(mark))]
    wait_for(lambda: not missing(), lambda: "Orca to say %r; it said %r" % (missing(), speech(mark)), timeout=30)


def quiet():
    # Orca silent for a second: what it says after the next key is the key's.
    since, count = time.monotonic(), len(speech())
    end = since + 15
    while time.monotonic() < end:
        time.sleep(0.1)
        if len(speech()) != count:
            since, count = time.monotonic(), len(speech())
        elif time.monotonic() - since >= 1.0:
            return count
    fail("Orca did not fall silent; it said %r" % speech(count - 5))


def hear(keys, *texts):
    mark = quiet()
    key(*keys)
    expect_spoken(mark, *texts)


def step_heard(k, *texts):
    return ("Шаг %d из %d" % (k, STEPS),) + texts


def heard_as_the_focus(mark, k):
    # The picture, named after the step, said as the focus comes to it; and no
    # other phrase about a step.
    expect_spoken(mark, "'Шаг %d из %d: " % (k, STEPS))
    quiet()
    others = [phrase for phrase in speech(mark) if "Шаг " in phrase and not phrase.startswith("'Шаг %d из " % k)]
    check(not others, "with the view, Orca also said %r" % others)


# The road

def grid_boxes(n=3):
    return [[control(GRID, "text", "Коэффициент при Х%d, уравнение %d" % (j, i)) for j in range(1, n + 1)]
            for i in range(1, n + 1)]


def exit_then_no(caption, boxes):
    # "Выход", then "Нет": the dialog goes, the window and every typed value stay.
    before = [text_of(box) for box in boxes]
    mark = len(speech())
    click(control(caption, "push button", "Выход"))
    check_window(EXIT)
    expect_focus("push button", "Нет")
    expect_spoken(mark, "Вы действительно хотите выйти?")
    key("Return")
    wait_for(lambda: EXIT not in captions(), "the exit confirmation to close")
    check([text_of(box) for box in boxes] == before, "typed values changed behind the exit confirmation")


def window_manager_close(caption, opens, focus):
    # Alt+F4, the window manager's close, acts as the window's own leave button.
    # weston binds no key to closing a window, and its title-bar buttons do not
    # answer a synthetic pointer reliably: in the Wayland session the window is
    # left through its own button instead.
    wid = x_window(caption)
    subprocess.run(["xdotool", "windowactivate", "--sync", wid], check=True)
    wait_for(lambda: run("xdotool", "getactivewindow") == wid, "the window manager to activate " + caption)
    left = left_for(caption, opens)
    if WAYLAND:
        click(control(caption, "push button", LEAVE_BUTTONS[caption]))
    else:
        alt_f4(caption, left)
    wait_for(left, "%r to be left for %r" % (caption, opens))
    expect_focus(*focus)


def left_for(caption, opens):
    # What shows that a window was left for another: the other opening, or,
    # where it is open already (the main window behind the about dialog), the
    # window closing.
    if opens in captions():
        return lambda: caption not in captions()
    return lambda: opens in captions()


def alt_f4(caption, left):
    # Now and then, on a new machine, openbox's grab of Alt+F4 is not in force
    # when the key comes, and the key goes to the program, which has no use
    # for it (the screen reader's key echo then says "F4", which it never says
    # while the window manager takes the key). That is the desktop failing,
    # not the program: the key is pressed once more. Where the window manager
    # took the key and the program did not answer, nothing is pressed again.
    mark = len(speech())
    key("alt+F4")
    try:
        wait_for(left, "Alt+F4 to leave " + repr(caption), timeout=3)
    except Failure:
        if not any(phrase.startswith("'F4") for phrase in speech(mark)):
            raise
        DESKTOP_RETRIES.append("Alt+F4 in %r reached the program instead of the window manager" % caption.strip())
        subprocess.run(["xdotool", "windowactivate", "--sync", x_window(caption)], check=True)
        key("alt+F4")


# The road, as scenarios that follow one another on the same program: each
# is a screenful of what a person does and sees, and a failure names it.
SCENARIOS = []


def printed_where_there_is_no_printer(dialog, name, options=()):
    # Ctrl+P with no printer: the dialog offers to print into a PDF file in
    # the home folder, named after what is printed; Enter prints there. The
    # printed file's text.
    key("ctrl+p")
    control(dialog, "combo box", "Печать в файл (PDF)")
    printed = os.path.join(SCRATCH, name)
    output = text_of(control(dialog, "text", "Вывод в файл:"))
    check(output == printed, "the dialog offers to print into %r" % output)
    key("Return")
    wait_for(lambda: dialog not in captions() and os.path.exists(printed), "printed to " + printed)
    return wait_for(lambda: run("pdftotext", *options, printed, "-"), "the printed file to be read")


def cancelled(keys, title, caption):
    # The dialog the keys open over the window, heard open (Orca catching up
    # only after it has closed would hear neither it nor the way back), then
    # cancelled by Escape: it closes, and the focus goes back to the control
    # that had it, where Orca hears it again.
    before = focused()
    check(before and before[1], "a named control with the focus before %r: %r" % (title, before))
    mark = len(speech())
    key(keys)
    expect_spoken(mark, title + " dialog")
    mark = quiet()
    key("Escape")
    wait_for(lambda: title not in captions(), "the dialog %r to close" % title)
    expect_focus(*before)
    if WAYLAND:
        # weston gives the keyboard to no window once a dialog has closed,
        # now and then before the program takes it back: the window to the
        # front, as a person's click would bring it.
        subprocess.run(["xdotool", "windowactivate", "--sync", x_window(caption)], check=True)
    expect_spoken(mark, before[1])


def scenario(function):
    SCENARIOS.append(function)
    return function


@scenario
def the_main_window_opens_with_the_focus_on_start():
    wait_for_windows([MAIN], timeout=10)
    expect_focus("push button", "Начать работу")
    check_window(MAIN)
    # The screen reader says the control with the focus too, before the first
    # key: a screen reader slow to start on a new machine has its keyboard
    # hooks set by then.
    expect_spoken(0, "Начать работу")


@scenario
def alt_f4_on_the_main_window_asks_whether_to_quit_and_no_goes_back():
    window_manager_close(MAIN, EXIT, ("push button", "Нет"))
    key("Return")
    wait_for_windows([MAIN])


@scenario
def the_count_step_says_what_to_type_and_refuses_a_shifted_digit_under_a_russian_layout():
    mark = quiet()
    if WAYLAND:  # the keys went to "Выход" to leave the main window
        click(control(MAIN, "push button", "Начать работу"))
    else:  # Alt+F4 left the focus where it was
        expect_focus("push button", "Начать работу")
        key("Return")
    check_window(COUNT)
    expect_spoken(mark, "Начало работы", "введите количество неизвестных, содержащихся в  вашей системе")
    subprocess.run(["setxkbmap", "-display", input_display(), "ru"], check=True)
    try:
        key("shift+5")
        expect_focus("push button", "Далее")
        key("Return")
        expect_focus("text", "Количество неизвестных")
        check(COUNT in captions() and GRID not in captions(), "the step let a shifted digit through")
        check(not has(control(COUNT, "push button", "Далее"), pyatspi.STATE_ENABLED), "\"Далее\" stayed enabled")
    finally:
        subprocess.run(["setxkbmap", "-display", input_display(), "us"], check=True)


@scenario
def keypad_3_then_enter_opens_a_3_by_3_grid():
    key("KP_3")
    expect_focus("push button", "Далее")
    key("Return")
    check_window(GRID)
    shown = [n for n in descendants(window(GRID)) if n.getRoleName() == "text" and has(n, pyatspi.STATE_SHOWING)]
    check(len(shown) == 9, "the grid shows %d boxes" % len(shown))


@scenario
def a_coefficient_with_a_full_stop_is_refused_by_two_message_boxes():
    expect_focus("text", "Коэффициент при Х1, уравнение 1")
    for i, row in enumerate(COEFFICIENTS, start=1):
        for j, value in enumerate(row, start=1):
            xdo("type", "--", "0.5" if (i, j) == (2, 2) else value)
            key("Tab")
    expect_focus("push button", "Далее")
    key("Return")
    check(alert("Не является числом коэффициент при Х2") == "Ошибка в строке 2", "the title of the first message")
    key("Return")
    check(alert("Попробуйте ввести его заново") == "Реализация метода вращений", "the title of the second message")
    key("Return")
    wait_for(no_alert, "the messages to close")
    expect_focus("text", "Коэффициент при Х2, уравнение 2")


@scenario
def a_pasted_block_fills_the_grid_and_stays_behind_exit_and_alt_f4():
    boxes = [box for row in grid_boxes() for box in row]
    copy_to_clipboard("\n".join("\t".join(" %s " % cell for cell in row) for row in COEFFICIENTS) + "\n")
    click(boxes[0])
    key("ctrl+v")
    wait_for(lambda: [text_of(box) for box in boxes] == [cell for row in COEFFICIENTS for cell in row],
             lambda: "the pasted block in the grid: %r" % [text_of(box) for box in boxes])
    exit_then_no(GRID, boxes)
    window_manager_close(GRID, EXIT, ("push button", "Нет"))
    click(control(EXIT, "push button", "Нет"))
    wait_for_windows([GRID])


@scenario
def a_pasted_column_fills_the_right_hand_sides():
    click(control(GRID, "push button", "Далее"))
    check_window(ANSWERS)
    expect_focus("text", "Правая часть уравнения 1")
    answers = [control(ANSWERS, "text", "Правая часть уравнения %d" % i) for i in (1, 2, 3)]
    copy_to_clipboard("\n".join(RIGHT_HAND_SIDES) + "\n")
    key("ctrl+v")
    wait_for(lambda: [text_of(box) for box in answers] == RIGHT_HAND_SIDES, "the pasted column")
    exit_then_no(ANSWERS, answers)


@scenario
def solve_shows_and_speaks_every_unknown_and_the_error_figure():
    mark = len(speech())
    click(control(ANSWERS, "push button", "Вычислить"))
    wait_for_windows([RESULTS])
    check(no_alert(), "a message box came with the results")
    for name, expected in SHOWN.items():
        shown = text_of(control(RESULTS, "text", name))
        check(shown == expected, "%s shows %r, not %r" % (name, shown, expected))
    expect_focus("push button", "Далее")
    check_window(RESULTS)
    expect_spoken(mark, "Х1 = 1", "Х2 = 2", "Х3 = 3", FIGURE)


@scenario
def ctrl_c_puts_every_result_on_the_clipboard():
    key("ctrl+c")
    copied = "Х1\t1\nХ2\t2\nХ3\t3\nПогрешность вычислений (%)\t" + FIGURE
    wait_for(lambda: run("xclip", "-selection", "clipboard", "-o") == copied,
             lambda: "the results on the clipboard: %r" % run("xclip", "-selection", "clipboard", "-o"))


@scenario
def f2_opens_the_course_beside_the_results_and_esc_closes_it():
    key("F2")
    check_window(COURSE)
    course_at, results_at = (window(c).queryComponent().getExtents(pyatspi.DESKTOP_COORDS) for c in (COURSE, RESULTS))
    check(course_at.x >= results_at.x + results_at.width or course_at.x + course_at.width <= results_at.x,
          "the course covers the results: %r" % [course_at, results_at])
    course = text_of(control(COURSE, "text", COURSE)).split("\n")
    for shown in COURSE_SHOWN:
        check(shown in course, "the course lacks the line %r:\n%s" % (shown, "\n".join(course)))
    expect_focus("text", COURSE)
    key("Escape")
    wait_for_windows([RESULTS])


@scenario
def ctrl_p_in_the_course_prints_to_a_pdf_file_where_there_is_no_printer():
    # weston gives the keyboard to no window once the course has closed: the
    # results to the front, as a person's click would bring them.
    subprocess.run(["xdotool", "windowactivate", "--sync", x_window(RESULTS)], check=True)
    key("F2")
    expect_focus("text", COURSE)
    cancelled("ctrl+p", "Печать хода решения", COURSE)
    check(not os.path.exists(os.path.join(SCRATCH, "Ход решения.pdf")), "a cancelled print printed")
    text = printed_where_there_is_no_printer("Печать хода решения", "Ход решения.pdf", ["-layout"])
    for shown in ("Реализация метода вращений. Ход решения", COURSE_SHOWN[0].strip(), "Страница 1 из 2"):
        check(shown in text, "the printed course lacks %r:\n%s" % (shown, text))
    expect_focus("text", COURSE)
    key("Escape")
    wait_for_windows([RESULTS])


# The steps of three unknowns: the system, three rotations, three rows of the
# forward substitution, three back rotations, the unknowns.
STEPS = 11


@scenario
def every_move_through_the_steps_is_heard():
    subprocess.run(["xdotool", "windowactivate", "--sync", x_window(RESULTS)], check=True)
    mark = quiet()
    key("shift+F2")
    check_window(COURSE)
    expect_focus("image", "Шаг 1 из %d: Система, как она введена" % STEPS)
    expect_spoken(mark, *step_heard(1, "уравнение 1: 3 умножить на Х1 + 1 умножить на Х2 минус 1 умножить на Х3 = 2"))
    # 3 x1 + x2 - x3: the first rotation turns (3, 1) to the axis; row 2 was (1, 0,5) before it.
    hear(["Right"], *step_heard(2, "d = A строка 1, столбец 2 = 1", "e = A строка 1, столбец 1 = 3",
                                "A строка 2, столбец 1 = 1 становится", "фи = 2 умножить на arctg t = 18,43 градуса"))
    hear(["Left"], *step_heard(1, "уравнение 2"))
    hear(["Next"], *step_heard(2))
    hear(["Prior"], *step_heard(1))
    hear(["End"], *step_heard(STEPS, "Х3 = 3"))
    hear(["Home"], *step_heard(1))
    # The buttons: Tab passes the two that are off on the first step.
    key("Tab")
    expect_focus("push button", "Следующий")
    hear(["space"], *step_heard(2))
    hear(["space"], *step_heard(3))
    key("Tab")
    key("Tab")
    expect_focus("slider", "Номер шага")
    hear(["Right"], *step_heard(4))
    # The other view and back, by keys: the picture has the focus again and
    # says its step, once, as the focus (no notice of a move comes back with the view).
    key("ctrl+Tab")
    expect_focus("text", COURSE)
    mark = quiet()
    key("ctrl+Tab")
    heard_as_the_focus(mark, 4)
    hear(["Right"], *step_heard(5, "модуль L строка 1, столбец 1", "не меньше порога 1 на 10 в степени минус 7"))
    # And by a click on the tabs (in the Wayland session by the tab's action: weston loses a synthetic click now and then).
    for tab in ("Текст", "По шагам"):
        page = control(COURSE, "page tab", tab)
        mark = quiet()
        if WAYLAND:
            page.queryAction().doAction(0)
        else:
            click(page)
    heard_as_the_focus(mark, 5)
    hear(["Right"], *step_heard(6))


@scenario
def the_steps_print_with_their_pictures():
    text = printed_where_there_is_no_printer("Печать хода решения", "Ход решения по шагам.pdf")
    pages = int(run("pdfinfo", os.path.join(SCRATCH, "Ход решения по шагам.pdf")).split("Pages:")[1].split()[0])
    for shown in ("Шаг 2 из %d: Вращение (1,2)" % STEPS, "Страница %d из %d" % (pages, pages), "−φ = -18,43°"):
        check(shown in text, "the printed steps lack %r:\n%s" % (shown, text))
    expect_focus("image", "Шаг 6 из %d: Прямая подстановка, строка 2" % STEPS)
    key("Escape")
    wait_for_windows([RESULTS])


@scenario
def alt_f4_on_the_results_asks_whether_to_quit_and_next_returns_to_the_main_window():
    window_manager_close(RESULTS, EXIT, ("push button", "Нет"))
    key("Return")
    wait_for_windows([RESULTS])
    click(control(RESULTS, "push button", "Далее"))
    wait_for_windows([MAIN])


@scenario
def the_about_dialog_speaks_its_title_version_and_description_and_without_a_tool_says_so():
    # By the keys: a click that the screen reader hears of after the dialog
    # is up moves its attention there silently, and the title goes unsaid.
    subprocess.run(["xdotool", "windowactivate", "--sync", x_window(MAIN)], check=True)
    key("Tab", "Tab")
    expect_focus("push button", "О программе")
    mark = quiet()
    key("Return")
    check_window(ABOUT)
    expect_spoken(mark, "О программе", "Реализация метода вращений", "Version 2.3.28",
                  "Данная программа предназначена для решения систем линейных уравнений методом вращения")
    click(control(ABOUT, "push button", "Информация о системе..."))
    check(alert("System Information Is Unavailable At This Time") == "Реализация метода вращений", "the message's title")
    key("Return")
    wait_for_windows([MAIN, ABOUT])


@scenario
def a_system_information_tool_on_path_is_started_and_the_dialog_stays():
    marker = os.path.join(SCRATCH, "tool-started")
    tool = os.path.join(TOOLS, "hardinfo2")  # the first tool the desktop looks for
    with open(tool, "w") as script:
        script.write("#!/bin/sh\necho started > '%s'\n" % marker)
    os.chmod(tool, 0o755)
    click(control(ABOUT, "push button", "Информация о системе..."))
    wait_for(lambda: os.path.exists(marker), "the stand-in tool to start")
    # The program answers a key only once the click's handler has returned,
    # and any message of it would have come up by then.
    focus = focused()
    key("Tab")
    wait_for(lambda: focused() not in (None, focus), "the dialog to take the next key")
    check(no_alert(), "a message came although the tool started")
    wait_for_windows([MAIN, ABOUT])
    window_manager_close(ABOUT, MAIN, ("push button", "О программе"))
    wait_for_windows([MAIN])


@scenario
def exit_then_yes_ends_the_program_with_status_0():
    click(control(MAIN, "push button", "Выход"))
    ended_by_yes()


def ended_by_yes():
    # "Да" in the exit confirmation ends the program, with status 0, at once.
    click(control(EXIT, "push button", "Да"))
    poll(lambda: PROGRAM[-1].poll() is not None, 2.0)
    check(PROGRAM[-1].returncode == 0, "two seconds after \"Да\" the program's status is %r (None: it still runs)"
          % PROGRAM[-1].returncode)


def launch(*args, without=(), **more):
    # The program started as the desktop starts it, with the arguments given,
    # without the environment variables named and with those given.
    env = {name: value for name, value in LAUNCH[0].items() if name not in without}
    env.update(more)
    PROGRAM.append(start([TESKORA, *args], env=env, stderr=open(LAUNCH[1], "a")))
    SEEN.update(windows=[], speech=len(speech()))  # its first window comes up active


def grid_texts(n=3):
    return [text_of(box) for row in grid_boxes(n) for box in row]


def through_file_dialog(title, path, replace=False, opens_in=None):
    # Qt's own file dialog: the name box has the focus; the whole path typed there and Enter choose it.
    # It asks before it names a file that is there; "Да" replaces it. It opens in a folder, which its
    # first list names.
    window(title)
    if opens_in:
        shown = control(title, "combo box", None).name
        check(shown == opens_in, "the dialog opens in %r, not in %r" % (shown, opens_in))
    wait_for(lambda: focused() and focused()[0] == "text", "the name box of the file dialog")
    key("ctrl+a")
    xdo("type", "--", path)
    # Typed at once, the path floods Orca with the completer's events; a key it
    # reads after the dialog has closed moves its focus there unspoken. A person
    # hears the path echoed before Enter.
    quiet()
    key("Return")
    if replace:
        question = wait_for(lambda: next((w for c, w in windows() if w.getRoleName() == "alert"), None),
                            "the question whether to replace the file")
        click(find(question, "push button", "Да"))
    # A message of the program may come up under the same title.
    wait_for(lambda: not [c for c, w in windows() if c == title and w.getRoleName() != "alert"], "the file dialog to close")


# The system as R's write.csv(cbind(A, b)) writes it: a header over the row
# names, each row's name in quotes, decimal points.
R_WRITE_CSV = '"","V1","V2","V3","V4"\n"1",3,1,-1,2\n"2",1,0.5,1,5\n"3",2,-1,4,12\n'
SAVED_CSV = 'Х1,Х2,Х3,b\n3,1,-1,2\n1,"0,5",1,5\n2,-1,4,12\n'
# Another system, opened later: a grid that showed the last one instead would
# show. The worked example of the README, practised on.
OTHER_CSV = 'Х1,Х2,b\n3,4,7\n1,2,3\n'
# Saved in a folder of its own: a dialog that opened in the home folder would show.
SAVED = os.path.join(SCRATCH, "saved", "saved.csv")


@scenario
def an_r_csv_on_the_command_line_starts_at_the_grid_without_its_row_names_and_goes_on_to_the_answer():
    path = os.path.join(SCRATCH, "вход", "система.csv")
    os.makedirs(os.path.dirname(path))
    with open(path, "w", encoding="utf-8") as system:
        system.write(R_WRITE_CSV)
    launch(path)
    wait_for_windows([GRID])
    check(grid_texts() == [cell for row in COEFFICIENTS for cell in row], "the grid holds %r" % grid_texts())
    notice = ("Первая строка файла — названия столбцов; она пропущена. Первый столбец файла — названия строк "
              "(«1», «2», «3»); он пропущен. Числа в файле записаны с десятичным разделителем «.»; он заменён на "
              "«,», как в региональных настройках.")
    check(find(window(GRID), "label", notice) is not None, "the grid does not say what it left out of the file")
    expect_focus("text", "Коэффициент при Х1, уравнение 1")
    click(control(GRID, "push button", "Далее"))
    answers = [control(ANSWERS, "text", "Правая часть уравнения %d" % i) for i in (1, 2, 3)]
    check([text_of(box) for box in answers] == RIGHT_HAND_SIDES, "the right-hand sides did not wait for their window")
    click(control(ANSWERS, "push button", "Вычислить"))
    wait_for_windows([RESULTS])
    for name, expected in SHOWN.items():
        check(text_of(control(RESULTS, "text", name)) == expected, "%s is not %r" % (name, expected))


@scenario
def ctrl_s_in_the_results_saves_the_system_through_the_file_dialog():
    path = SAVED
    os.makedirs(os.path.dirname(path))
    with open(path, "w") as stale:
        stale.write("stale")
    cancelled("ctrl+s", "Сохранение системы уравнений", RESULTS)
    check(open(path).read() == "stale", "a cancelled save changed the file")
    key("ctrl+s")
    # In the folder of the file last opened, here on the command line. Typed
    # without its ending: the dialog adds the type's and asks before replacing.
    through_file_dialog("Сохранение системы уравнений", path[:-len(".csv")], replace=True,
                        opens_in=os.path.join(SCRATCH, "вход"))
    wait_for(lambda: open(path, encoding="utf-8").read() == SAVED_CSV,
             lambda: "the saved file, which holds %r" % open(path, encoding="utf-8").read())
    check(os.listdir(os.path.dirname(path)) == ["saved.csv"], "files beside it: %r" % os.listdir(os.path.dirname(path)))


@scenario
def ctrl_o_on_the_main_window_opens_a_file_through_the_file_dialog():
    click(control(RESULTS, "push button", "Далее"))
    wait_for_windows([MAIN])
    other = os.path.join(SCRATCH, "other.csv")
    with open(other, "w", encoding="utf-8") as system:
        system.write(OTHER_CSV)
    cancelled("ctrl+o", "Открытие системы уравнений", MAIN)
    key("ctrl+o")
    # In the folder of the file last chosen, here the one saved.
    through_file_dialog("Открытие системы уравнений", other, opens_in=os.path.dirname(SAVED))
    wait_for_windows([GRID])
    check(grid_texts(2) == ["3", "4", "1", "2"], "the grid holds %r" % grid_texts(2))


PRACTICE = "Практика по методу вращений"


def answer(typed, *texts):
    # A value typed into the box with the focus and checked by Enter; what Orca says of it.
    xdo("type", "--", typed)
    hear(["Return"], *texts)


@scenario
def practice_on_the_worked_example_is_checked_and_heard_at_every_value():
    click(control(GRID, "push button", "Далее"))
    wait_for_windows([ANSWERS])
    key("F4")
    wait_for_windows([ANSWERS, PRACTICE])
    check_window(PRACTICE)
    expect_focus("text", "Система, обозначения и правило проверки")
    key("Tab", "Tab", "Tab")
    expect_focus("push button", "Начать")
    hear(["Return"], "t вращения (1,2)")
    expect_focus("text", "t вращения (1,2)")
    # A wrong t: the formula with the student's own m; the focus stays for another try.
    answer("0,6", "неверно: t = плюс-минус 1 делить на", "при m = 0,75")
    expect_focus("text", "t вращения (1,2)")
    key("ctrl+a")
    answer("0,5", "верно", "p вращения (1,2)")
    answer("5", "верно", "c вращения (1,2)")
    answer("0,6", "верно", "s вращения (1,2)")
    answer("0,8", "верно", "Шаг выполнен")
    expect_focus("push button", "Дальше")
    # The forward substitution and the back rotation are the program's at this level: the unknowns next.
    hear(["Return"], "Неизвестные", "Х1")
    answer("1", "верно", "Х2")
    answer("1", "верно", "Шаг выполнен")
    hear(["Return"], "Итог", "Верно с первой попытки: 5; верно не с первой: 1; показано: 0")
    cancelled("ctrl+p", "Печать отчёта о практике", PRACTICE)
    check("Студент: ___" in printed_where_there_is_no_printer("Печать отчёта о практике", "Практика.pdf"),
          "the printed report")
    subprocess.run(["xdotool", "windowactivate", "--sync", x_window(PRACTICE)], check=True)
    report = os.path.join(SCRATCH, "practice.pdf")
    key("ctrl+s")
    through_file_dialog("Сохранение отчёта о практике", report)
    wait_for(lambda: os.path.exists(report), "the report saved")
    text = run("pdftotext", "-layout", report, "-")
    for shown in ("Реализация метода вращений. Практика", "уравнение 1: 3·Х1 + 4·Х2 = 7.",
                  "t вращения (1,2): 0,5 — верно с попытки 2.", "Первое неверное t: t вращения (1,2).", "Студент: ___"):
        check(shown in text, "the report lacks %r:\n%s" % (shown, text))
    # weston gives the keyboard to no window once the file dialog has closed: closed by its button.
    click(control(PRACTICE, "push button", "Закрыть"))
    wait_for_windows([ANSWERS])
    window_manager_close(ANSWERS, EXIT, ("push button", "Нет"))
    ended_by_yes()


TASKS = "Задания для группы"


@scenario
def a_teacher_makes_a_set_of_tasks_and_a_variant_opens():
    launch()
    wait_for_windows([MAIN])
    key("F5")
    wait_for_windows([MAIN, TASKS])
    check_window(TASKS)
    expect_focus("text", "Неизвестных, от 2 до 8")
    for typed in ("2", "3"):
        key("ctrl+a")
        xdo("type", "--", typed)
        key("Tab")
    key("Tab", "Tab", "Tab")
    expect_focus("text", "Номер набора")
    key("ctrl+a")
    xdo("type", "--", "2026")
    key("Tab")
    expect_focus("push button", "Создать...")
    folder = os.path.join(SCRATCH, "tasks")
    os.makedirs(folder)
    cancelled("Return", "Папка для заданий", TASKS)
    check(not os.listdir(folder) and TASKS in captions(), "a cancelled folder made files or closed the window")
    mark = quiet()
    key("Return")
    through_file_dialog("Папка для заданий", folder)
    made = ["Вариант 1, набор 2026.csv", "Вариант 2, набор 2026.csv", "Вариант 3, набор 2026.csv",
            "Задания 2026.pdf", "Ответы 2026.csv", "Ответы 2026.pdf"]
    wait_for(lambda: sorted(os.listdir(folder)) == made, lambda: "the set's files, not %r" % os.listdir(folder))
    expect_focus("push button", "Закрыть")
    expect_spoken(mark, "Готово: в папке")
    sheet = run("pdftotext", "-layout", os.path.join(folder, "Задания 2026.pdf"), "-")
    check("Вариант 3" in sheet and "Задания, набор № 2026" in sheet, "the task sheet reads:\n" + sheet)
    # The same set again: a question, heard, answered "Нет".
    mark = quiet()
    click(control(TASKS, "push button", "Создать..."))
    through_file_dialog("Папка для заданий", folder)
    question = ("В папке «%s» уже есть файлы этого набора: «Вариант 1, набор 2026.csv», «Вариант 2, набор 2026.csv», "
                "«Вариант 3, набор 2026.csv» и ещё 3. Заменить их?" % folder)
    check(alert(question) == TASKS, "the question's title")
    expect_spoken(mark, "Заменить их?")
    click(find(next(w for c, w in windows() if w.getRoleName() == "alert"), "push button", "Нет"))
    wait_for(no_alert, "the question to close")
    click(control(TASKS, "push button", "Закрыть"))
    wait_for_windows([MAIN])
    click(control(MAIN, "push button", "Выход"))
    ended_by_yes()
    # A student opens a variant (on the command line: the compositor's keyboard types no Cyrillic).
    path = os.path.join(folder, "Вариант 2, набор 2026.csv")
    launch(path)
    wait_for_windows([GRID])
    variant = open(path, encoding="utf-8").read().splitlines()
    coefficients = [cell.strip('"') for line in variant[1:] for cell in line.split(",")[:2]]
    check(grid_texts(2) == coefficients, "the grid holds %r, the file %r" % (grid_texts(2), variant))
    window_manager_close(GRID, EXIT, ("push button", "Нет"))
    ended_by_yes()


def natively_on_wayland_the_windows_open_active_and_take_the_keys():
    # Where no X server runs, the program is a Wayland client of its own: each
    # window comes up active with its first control focused, and the road goes
    # on by keys alone.
    # libwayland tells each request the program makes of the compositor: its
    # window a Wayland surface of its own is the proof that it runs natively.
    start_of_log = os.path.getsize(LAUNCH[1])
    launch(without=("DISPLAY",), WAYLAND_DEBUG="client")
    wait_for_windows([MAIN], timeout=10)
    with open(LAUNCH[1], errors="replace") as log:
        log.seek(start_of_log)
        check("xdg_toplevel" in log.read(), "the program made no Wayland window of its own")
    expect_focus("push button", "Начать работу")
    key("Return")
    wait_for_windows([COUNT])
    expect_focus("text", "Количество неизвестных")
    key("Tab")  # past the disabled "Далее" to "Отмена"
    expect_focus("push button", "Отмена")
    key("space")
    wait_for_windows([MAIN])
    expect_focus("push button", "Начать работу")
    key("Tab")
    key("space")  # "Выход"
    wait_for_windows([MAIN, EXIT])
    expect_focus("push button", "Нет")
    key("Tab")
    key("space")  # "Да"
    check(PROGRAM[-1].wait(timeout=5) == 0, "the program did not end with status 0")


if WAYLAND:
    SCENARIOS.append(natively_on_wayland_the_windows_open_active_and_take_the_keys)


def main():
    global step
    os.makedirs(TOOLS)
    os.makedirs(BUILD, exist_ok=True)
    log = os.path.join(SCRATCH, "teskora.log")
    try:
        desktop()
        env = dict(os.environ, LANG="ru_RU.UTF-8", PATH=TOOLS, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        env.pop("LC_ALL", None)
        if WAYLAND:
            env.pop("QT_QPA_PLATFORM")  # in a Wayland session the program chooses for itself
        # Under the sanitizers: Qt's accessibility bridge, live only on this desktop, keeps caches
        # it does not free at exit. The program's own leaks are sought in the offscreen tests.
        if "ASAN_OPTIONS" in env:
            env["ASAN_OPTIONS"] += ":detect_leaks=0"
        LAUNCH.extend([env, log])
        launch()
        began = time.monotonic()
        for each in SCENARIOS:
            step = each.__name__.replace("_", " ")
            each()
        print("desktop test passed: %d scenarios in %.0f s" % (len(SCENARIOS), time.monotonic() - began))
        for retry in DESKTOP_RETRIES:
            print("  the desktop failed once and the step was taken again: " + retry)
        return 0
    except Exception as failure:
        shot = os.path.join(BUILD, "desktop_test_failure.png")
        subprocess.run(["import", "-display", input_display(), "-window", "root", shot], capture_output=True)
        if os.path.exists(ORCA_LOG):
            subprocess.run(["cp", ORCA_LOG, os.path.join(BUILD, "desktop_test_orca.log")])
        print("desktop test FAILED in the scenario: %s\n  %s: %s\n  screenshot: %s" % (step, type(failure).__name__, failure, shot))
        if os.path.exists(log):
            print("  what the program wrote:\n" + open(log).read()[-2000:])
        return 1
    finally:
        for process in reversed(started):
            try:
                if isinstance(process, int):
                    os.kill(process, 15)
                elif process.poll() is None:
                    process.terminate()
                    process.wait(timeout=5)
            except Exception:
                pass
        subprocess.run(["rm", "-rf", SCRATCH])


if __name__ == "__main__":
    sys.exit(main())
