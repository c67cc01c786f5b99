#!/usr/bin/python3
"""The real application as the operator meets it, driven and read from outside.

A private Xvfb, a private D-Bus session bus with the AT-SPI registry, and the unit sandbox with
the stand-in daemon and the application, whose Qt accessibility bridge is switched on. Input goes
only through X (xdotool); what is on screen is read from the accessibility tree; the rest from
the system log, the settings file and the calibrator record.

    unit_x.py tree     print the accessibility tree of the application on $DISPLAY, through
                       the session bus of $DBUS_SESSION_BUS_ADDRESS (scripts/run --a11y)
"""
import os
import re
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET

# What the operator touches or reads; the rest of the tree (panels, fillers) only holds them.
CONTROLS = {"push button", "toggle button", "check box", "radio button", "password text", "text", "label"}
NAMED = CONTROLS - {"label", "text", "password text"}
# What holds controls and clips them: frames, scroll areas and their visible parts. (A check box's
# own rectangle is only its click area, which its LED's button covers more than.)
PARTS = {"frame", "filler", "panel", "scroll pane", "viewport", "window", "dialog"}
SCREEN = (0, 0, 800, 600)


def _die_with_parent():
    import ctypes
    ctypes.CDLL(None).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


class Failure(AssertionError):
    pass


def wait(what, timeout=15.0, step=0.1):
    """The first true value of what(), or its last false one after the time-out."""
    end = time.monotonic() + timeout
    while True:
        value = what()
        if value or time.monotonic() > end:
            return value
        time.sleep(step)


class Node:
    """One accessible read at one moment: role, name, states and screen rectangle."""

    def __init__(self, acc, parent):
        import pyatspi
        self.acc, self.parent = acc, parent
        self.role = acc.getRoleName()
        self.name = acc.name or ""
        states = acc.getState()
        self.showing = states.contains(pyatspi.STATE_SHOWING)
        self.focused = states.contains(pyatspi.STATE_FOCUSED)
        self.enabled = states.contains(pyatspi.STATE_ENABLED)
        self.checked = states.contains(pyatspi.STATE_CHECKED)
        try:
            e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            self.rect = (e.x, e.y, e.width, e.height)
        except NotImplementedError:
            self.rect = None

    def ancestors(self):
        n = self.parent
        while n:
            yield n
            n = n.parent

    def centre(self):
        x, y, w, h = self.rect
        return x + w // 2, y + h // 2

    def __str__(self):
        return f'{self.role} "{self.name}" {list(self.rect or [])}'


def inside(inner, outer):
    return (inner[0] >= outer[0] and inner[1] >= outer[1] and inner[0] + inner[2] <= outer[0] + outer[2]
            and inner[1] + inner[3] <= outer[1] + outer[3])


def read_tree(app):
    """Every showing accessible below the application, depth first in the order of the stack
    (what lies above comes later)."""
    nodes, todo = [], [(app.getChildAtIndex(i), None) for i in range(app.childCount)]
    while todo:
        acc, parent = todo.pop(0)
        if acc is None:
            continue
        node = Node(acc, parent)
        if not node.showing:
            continue
        nodes.append(node)
        todo[0:0] = [(acc.getChildAtIndex(i), node) for i in range(acc.childCount)]
    return nodes


def find_app(name="kestra_config"):
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        child = desktop.getChildAtIndex(i)
        if child is not None and child.name == name:
            return child
    return None


class Catalogue:
    """The operator's texts in one language: the source text of a control gives its shown name."""

    def __init__(self, ts_file=None):
        self.texts = {}
        if ts_file:
            for context in ET.parse(ts_file).getroot().iter("context"):
                cname = context.findtext("name")
                for message in context.iter("message"):
                    source, translation = message.findtext("source"), message.findtext("translation")
                    if translation:
                        # A key's label in two lines is named in one.
                        source = source.replace("\n", " ")
                        self.texts[(cname, source)] = translation
                        self.texts.setdefault((None, source), translation)

    def shown(self, text):
        """'Context:&Text' or '&Text' in this language, mnemonic mark kept."""
        context, _, source = text.partition(":") if re.match(r"^[A-Z]\w+:", text) else ("", "", text)
        return self.texts.get((context or None, source), source)

    def name(self, text):
        """The accessible name of a control showing text: mnemonic marks and line breaks dropped."""
        return re.sub(r"&(.)", r"\1", self.shown(text)).replace("\n", " ")

    def mnemonic(self, text):
        m = re.search(r"&([^&])", self.shown(text))
        return m.group(1).lower() if m else None


class Unit:
    """One start of the real application; use as a context manager."""

    def __init__(self, build, source, lang="C.UTF-8", fonts="unit", artifacts=None):
        self.build, self.source, self.lang, self.fonts = build, source, lang, fonts
        self.dir = tempfile.mkdtemp(prefix="unit-x.")
        self.artifacts = artifacts or os.path.join(build, "outside-in")
        self.procs = []
        self.last_touch = (-100, -100, 0.0)  # x, y and time of the last touch
        language = lang.split("_")[0].split(".")[0]
        ts = {"ru": os.path.join(source, "translations/kestra_ru.ts"),
              "qps": os.path.join(build, "translations/kestra_qps.ts")}.get(language)
        self.texts = Catalogue(ts)

    # --- the set-up -------------------------------------------------------------------------
    def _spawn(self, args, env=None, **kw):
        # Each in its own group, ended with its children in __exit__; and ended by the kernel if the
        # harness itself is killed outright, so no server outlives a run.
        p = subprocess.Popen(args, env=env, start_new_session=True, preexec_fn=_die_with_parent, **kw)
        self.procs.append(p)
        return p

    def __enter__(self):
        # A test runner's SIGTERM ends the run through __exit__ as an exception would.
        signal.signal(signal.SIGTERM, lambda *_: sys.exit(128 + signal.SIGTERM))
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self):
        d = self.dir
        read_fd, write_fd = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "800x600x24", "-nolisten", "tcp", "-noreset"],
                    pass_fds=[write_fd], stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            self.display = ":" + f.readline().strip()
        # A path socket: the sandbox has its own network namespace, where abstract sockets differ.
        bus = f"unix:path={d}/bus"
        env = dict(os.environ, DISPLAY=self.display, DBUS_SESSION_BUS_ADDRESS=bus, XDG_RUNTIME_DIR=d)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        self._spawn(["dbus-daemon", "--session", "--nofork", "--nosyslog", "--address=" + bus])
        if not wait(lambda: os.path.exists(f"{d}/bus"), 10):
            raise Failure("the session bus did not start")
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env, stderr=subprocess.DEVNULL)
        os.environ.update(DISPLAY=self.display, DBUS_SESSION_BUS_ADDRESS=bus, XDG_RUNTIME_DIR=d)
        # The unit's key panel: a Latin and a Cyrillic layout, switched with Alt+Shift.
        subprocess.run(["setxkbmap", "-display", self.display, "-layout", "us,ru", "-option", "grp:alt_shift_toggle"], check=True)

        self.appdata, self.log_file, self.calibrator = f"{d}/appdata", f"{d}/syslog", f"{d}/calibrator.log"
        subprocess.run([f"{self.build}/tools/settings/provision-settings", "--appdata", self.appdata, "--is-primary", "1",
                        "--deamon-version", "0x30000", "--serial-number", "44170815"], check=True, stdout=subprocess.DEVNULL)
        # Scaling as a service engineer may set it (or, with the fallback fonts, leave unset), which the
        # application must pass on to its children as it found it.
        app_env = dict(env, LANG=self.lang, LC_ALL="", LC_MESSAGES="", LANGUAGE="", QT_ENABLE_HIGHDPI_SCALING="1")
        app_env.pop("QT_XCB_GL_INTEGRATION", None)
        if self.fonts == "fallback":
            app_env.pop("QT_ENABLE_HIGHDPI_SCALING")
        command = (f"'{self.build}/tools/iu-daemon/iu-daemon' --port 1 --devices "
                   f"'{self.source}/tools/iu-daemon/demo-devices.txt' >/dev/null 2>&1 & exec '{self.build}/app/kestra_config'")
        sandbox = [f"{self.build}/unit-sandbox", "--display", "--unshare-net", "--unshare-pid", "--appdata", self.appdata,
                   "--log", self.log_file, "--calibrator-record", self.calibrator,
                   "--setenv", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1"]
        if self.fonts == "fallback":
            # Debian's fonts as fontconfig picks them, without the unit's Droid mapping.
            sandbox += ["--setenv", "FONTCONFIG_FILE", "/etc/fonts/fonts.conf"]
        self.app = self._spawn(sandbox + ["--", "/bin/sh", "-c", command], env=app_env)
        self.acc = wait(find_app, 30, 0.3)
        if not self.acc:
            raise Failure("the application did not appear in the accessibility tree")
        self.see("&Select GMDSS system")

    def __exit__(self, *exc):
        for p in reversed(self.procs):
            if p.poll() is None:
                try:
                    os.killpg(p.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
                try:
                    p.wait(10)
                except subprocess.TimeoutExpired:
                    os.killpg(p.pid, signal.SIGKILL)
                    p.wait()
        shutil.rmtree(self.dir, ignore_errors=True)

    # --- what is seen -----------------------------------------------------------------------
    def log(self):
        with open(self.log_file, encoding="utf-8", errors="replace") as f:
            return f.read()

    def nodes(self):
        try:
            return read_tree(self.acc)
        except Exception:  # a window closing under the reader
            return []

    def find(self, text, role=None):
        name = self.texts.name(text)
        hits = [n for n in self.nodes() if n.name == name and n.role in CONTROLS and (role is None or n.role == role)]
        # The topmost window's control: the one nearest the end of the stack.
        return hits[-1] if hits else None

    def see(self, text, role=None, timeout=15):
        """The control, once it is showing and has stopped moving (windows grow in)."""
        last = [None]

        def settled():
            node = self.find(text, role)
            rect = node.rect if node else None
            same, last[0] = rect is not None and rect == last[0], rect
            return node if same else None

        node = wait(settled, timeout, 0.15)
        if not node:
            self.fail(f'no showing control named "{self.texts.name(text)}"')
        return node

    def gone(self, text, timeout=15):
        if not wait(lambda: self.find(text) is None, timeout):
            self.fail(f'"{self.texts.name(text)}" is still showing')

    def focused(self):
        return next((n for n in self.nodes() if n.focused), None)

    def stored(self):
        with sqlite3.connect(f"file:{self.appdata}/system_cfg.db?mode=ro", uri=True, timeout=20) as db:
            return db.execute("SELECT isPrimary FROM systemCfg").fetchone()[0]

    def check_screen(self):
        """Every showing control has a name where it needs one, and lies wholly on the screen and
        inside every part it belongs to (a scroll area's visible part, its window's frame)."""
        last = [None]

        def settled():  # windows grow in and the keyboard slides in: judge the screen at rest
            nodes = self.nodes()
            shape = [(n.role, n.name, n.rect) for n in nodes]
            same, last[0] = shape == last[0], shape
            return nodes if same else None

        for node in wait(settled, 10, 0.2) or self.nodes():
            if node.role not in CONTROLS or not node.rect:
                continue
            if node.role in NAMED and node.enabled and not node.name.strip():
                self.fail("a control without a name", node)
            # A label's rectangle may reach past the text it shows; what it shows must be on the screen.
            parts = [] if node.role == "label" else [(str(a), a.rect) for a in node.ancestors() if a.role in PARTS and a.rect]
            for outer in [("the screen", SCREEN)] + parts:
                if not inside(node.rect, outer[1]):
                    self.fail(f"a control reaches outside {outer[0]}", node)

    def fail(self, message, node=None):
        os.makedirs(self.artifacts, exist_ok=True)
        picture = os.path.join(self.artifacts, f"{self.lang}-{self.fonts}-{int(time.time() * 1000)}.png")
        subprocess.run(["import", "-display", self.display, "-window", "root", picture], stderr=subprocess.DEVNULL)
        raise Failure(f"{message}{': ' + str(node) if node else ''} (screen: {picture})")

    # --- what the operator does -------------------------------------------------------------
    def xdo(self, *args):
        subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=self.display), check=True)

    def touch(self, text):
        node = self.see(text)
        x, y = node.centre()
        # A second touch on the same place soon after the first is a double click, which the
        # terminal discards: such touches are kept apart in time.
        if abs(x - self.last_touch[0]) + abs(y - self.last_touch[1]) < 20:
            time.sleep(max(0.0, self.last_touch[2] + 0.45 - time.monotonic()))
        releases = self.log().count("LeftMouseButtonRelease")
        self.xdo("mousemove", str(x), str(y), "click", "1")
        self.last_touch = (x, y, time.monotonic())
        wait(lambda: self.log().count("LeftMouseButtonRelease") > releases, 5)

    def key(self, chord):
        self.xdo("key", "--delay", "80", chord)

    def mnemonic(self, text):
        """Alt and the marked letter; a Cyrillic letter on the key panel's Cyrillic layout."""
        letter = self.texts.mnemonic(text)
        if not letter:
            self.fail(f'"{text}" has no mnemonic')
        if letter.isascii():
            self.key("alt+" + letter)
            return
        # Alt+Shift switches to the Cyrillic layout, where the letter has its key; and back.
        self.switch_layout()
        self.key("alt+Cyrillic_" + CYRILLIC_KEYSYMS.split()["абвгдежзийклмнопрстуфхцчшщъыьэюя".index(letter)])
        self.switch_layout()

    def switch_layout(self):
        """Shift and Alt pressed together, as on the key panel. Through XTest itself: xdotool puts the
        keyboard's layout back after each of its keys."""
        import ctypes
        x11, xtst = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXtst.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        dpy = ctypes.c_void_p(x11.XOpenDisplay(self.display.encode()))
        for name, down in (("Shift_L", 1), ("Alt_L", 1), ("Alt_L", 0), ("Shift_L", 0)):
            keycode = x11.XKeysymToKeycode(dpy, ctypes.c_ulong(x11.XStringToKeysym(name.encode())))
            xtst.XTestFakeKeyEvent(dpy, keycode, down, 0)
        x11.XCloseDisplay(dpy)
        time.sleep(0.2)


# X's names of the Russian letters, in the alphabet's order.
CYRILLIC_KEYSYMS = ("a be ve ghe de ie zhe ze i shorti ka el em en o pe er es te u ef ha tse che sha shcha hardsign "
                    "yeru softsign e yu ya")


def print_tree():
    app = find_app()
    if not app:
        sys.exit("unit_x.py: no kestra_config on this bus (start it with scripts/run --a11y)")
    for node in read_tree(app):
        depth = len(list(node.ancestors()))
        flags = "".join(f for f, on in (("F", node.focused), ("C", node.checked), ("-", not node.enabled)) if on)
        print("  " * depth + str(node) + (" " + flags if flags else ""))


if __name__ == "__main__":
    if sys.argv[1:] != ["tree"]:
        sys.exit(__doc__)
    print_tree()
