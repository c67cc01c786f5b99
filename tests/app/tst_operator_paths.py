#!/usr/bin/python3
"""The operator's paths through the real program, from outside: one start of the application in
the unit sandbox per language and font set-up, touched and keyed through X, read from its
accessibility tree, the system log, the settings file and the calibrator record.

    tst_operator_paths.py LANG FONTS     e.g. ru_RU.UTF-8 fallback

Each row starts and ends on the menu. On every window a row reaches, "check" proves that every
control is named and lies on the screen inside the visible part of its window.
"""
import os
import re
import sqlite3
import sys
import time

sys.path.insert(0, os.path.join(os.environ["KV_SOURCE_DIR"], "tools/outside-in"))
from unit_x import Failure, Unit, wait  # noqa: E402

SELECT, STORE, CANCEL = "&Select GMDSS system", "SelectSystemCfgWindow:&Store", "TAbstractCfgWindow:&Cancel"
PASSWORD = "Configuration password"
# Each row: what the operator does and sees, one step after another.
ROWS = [
    ("the menu is drawn without GL and with stand-ins for the unit's fonts; the key panel on the window: Tab, "
     "Backtab and arrows move the focus; Escape stays; Return presses Store, which closes an unchanged window",
     f"unaccelerated; logged Warning: The system does not contain all the specified fonts!; touch {SELECT}; checked Primary; check; key Tab; focus {STORE}; key Tab; focus {CANCEL}; key Tab; focus Primary; "
     f"key shift+Tab; focus {CANCEL}; key Right; focus Primary; key Escape; see {STORE}; key Return; gone {STORE}; "
     f"stored 1; key Escape; see {SELECT}"),
    ("a wrong password is refused with a warning; Escape on the request puts the role back",
     f"touch {SELECT}; touch Duplicated; focus {PASSWORD}; check; touch 123, symbols; check; touch Next page; check; "
     f"touch Previous page; type 7390; key Return; see Access denied; check; touch TMessageWindow:&OK; "
     f"focus {PASSWORD}; key Escape; gone {PASSWORD}; checked Primary; touch {CANCEL}; stored 1"),
    ("the password typed on the keyboard's keys and Return, then Store and Yes store duplicated, once another "
     "process of the unit has let go of the settings file",
     f"touch {SELECT}; touch Duplicated; type 73911; touch Back space; key Return; gone {PASSWORD}; "
     f"checked Duplicated; key Down; focus {STORE}; key Left; focus Duplicated; touch {STORE}; "
     f"see Are you sure?; check; touch &Yes while locked; gone {STORE}; stored 0"),
    ("mnemonics: No goes back to the window, Store and Yes store primary again",
     f"touch {SELECT}; touch Primary; type 7391; touch TAbstractCfgWindow:&OK; gone {PASSWORD}; "
     f"mnemonic {STORE}; see Are you sure?; mnemonic &No; gone Are you sure?; stored 0; checked Primary; mnemonic {STORE}; "
     f"see Are you sure?; mnemonic &Yes; "
     f"gone {STORE}; stored 1"),
    ("mnemonic Cancel leaves without storing; calibration starts the calibrator; Exit ends the program",
     f"touch {SELECT}; see {STORE}; key Down; key Down; focus {CANCEL}; mnemonic {CANCEL}; gone {STORE}; stored 1; "
     f"touch &Calibrate touch screen; calibrated; touch &Exit configuration; exited; "
     f"logged void MainScreen::handleNormalOperation()"),
]


def process_maps(pid, name):
    """The memory map of the process called name among pid and its descendants."""
    pids = [pid]
    while pids:
        proc = f"/proc/{pids.pop()}"
        try:
            if open(proc + "/comm").read().strip() == name:
                return open(proc + "/maps").read()
            pids += open(f"{proc}/task/{proc[6:]}/children").read().split()
        except OSError:  # ended meanwhile
            pass
    return ""


def step(unit, verb, arg):
    if verb == "touch" and arg.endswith(" while locked"):
        # Another process of the unit writes the serial number, holding the lock a while after the
        # application has begun to wait for it; both values must be kept.
        other = sqlite3.connect(f"{unit.appdata}/system_cfg.db", isolation_level=None)
        other.execute("BEGIN IMMEDIATE")
        other.execute("UPDATE systemCfg SET serialNumber='held'")
        stores = unit.log().count('"UPDATE systemCfg SET isPrimary=')
        unit.touch(arg[:-len(" while locked")])
        if not wait(lambda: unit.log().count('"UPDATE systemCfg SET isPrimary=') > stores, 10):
            unit.fail("the role was not stored")
        time.sleep(2)
        other.execute("COMMIT")
        if not wait(lambda: other.execute("SELECT isPrimary || serialNumber FROM systemCfg").fetchone()[0] == "0held", 20):
            unit.fail("the role or the other process's value was lost")
    elif verb in ("touch", "key", "mnemonic", "see", "gone"):
        getattr(unit, verb)(arg)
    elif verb == "type":
        # Digits are on the keyboard's first symbol page, which a new request does not open on.
        if not unit.find("1"):
            unit.touch("123, symbols")
        for digit in arg:
            unit.touch(digit)
    elif verb == "check":
        unit.check_screen()
    elif verb == "checked":
        if not wait(lambda: (unit.find(arg, "check box") or unit.see(arg)).checked, 5):
            unit.fail(f'"{unit.texts.name(arg)}" is not lit')
    elif verb == "focus":
        want = unit.texts.name(arg)
        if not wait(lambda: getattr(unit.focused(), "name", None) == want, 5):
            unit.fail(f'the focus is not on "{want}" but on {unit.focused()}')
    elif verb == "stored":
        if not wait(lambda: str(unit.stored()) == arg, 10):
            unit.fail(f"the stored role is {unit.stored()}, not {arg}")
    elif verb == "calibrated":
        # The application turns its own scaling off; the calibrator gets the engineer's setting, or none.
        scaling = "^(?!.*QT_ENABLE_HIGHDPI)" if unit.fonts == "fallback" else " QT_ENABLE_HIGHDPI_SCALING=1 "
        if not wait(lambda: re.search(scaling + ".*calibrator -r$", open(unit.calibrator).read().strip()), 20):
            unit.fail(f"the calibrator was not started with -r and the engineer's scaling, or none: {open(unit.calibrator).read()}")
    elif verb == "unaccelerated":
        maps = process_maps(unit.app.pid, "kestra_config")
        if "Widgets" not in maps or "libGLX_mesa" in maps or "_dri.so" in maps:
            unit.fail("the X server's GL driver was loaded, or the program not found")
    elif verb == "logged":
        if not wait(lambda: arg in unit.log(), 10):
            unit.fail(f'the system log lacks "{arg}"')
    elif verb == "exited":
        if not wait(lambda: unit.app.poll() is not None, 20) or unit.app.returncode != 0:
            unit.fail(f"the program did not end with status 0 ({unit.app.returncode})")
    else:
        raise ValueError(verb)


def main(lang, fonts):
    passed = failures = 0
    with Unit(os.environ["KV_BUILD_DIR"], os.environ["KV_SOURCE_DIR"], lang, fonts) as unit:
        unit.check_screen()
        for name, steps in ROWS:
            try:
                for s in steps.split("; "):
                    verb, _, arg = s.partition(" ")
                    step(unit, verb, arg)
                print(f"PASS   : {name}")
                passed += 1
            except Failure as e:
                failures += 1
                print(f"FAIL!  : {name}\n   at : {s}\n   {e}\n   log: ...{unit.log()[-3000:]}")
                break  # the next row would start from wherever this one stopped
    print(f"Totals: {passed} passed, {failures} failed, {len(ROWS) - passed - failures} not run ({lang}, {fonts} fonts)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
