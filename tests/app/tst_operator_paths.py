#!/usr/bin/python3
"""The operator's paths through the real program, from outside: one start of the application in
the unit sandbox per language and font set-up, touched and keyed through X, read from its
accessibility tree, the system log, the settings file and the calibrator record.

    tst_operator_paths.py LANG FONTS     e.g. ru_RU.UTF-8 fallback

Each row starts and ends on the menu. On every window a row reaches, "check" proves that every
control is named and lies on the screen inside the visible part of its window.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.environ["KV_SOURCE_DIR"], "tools/outside-in"))
from unit_x import Failure, Unit, wait  # noqa: E402

SELECT, STORE, CANCEL = "&Select GMDSS system", "SelectSystemCfgWindow:&Store", "TAbstractCfgWindow:&Cancel"
PASSWORD = "Configuration password"
# Each row: what the operator does and sees, one step after another.
ROWS = [
    ("the key panel on the window: Tab, Backtab and arrows move the focus; Escape stays; Return presses Store, "
     "which closes an unchanged window without a question",
     f"touch {SELECT}; checked Primary; check; key Tab; focus {STORE}; key Tab; focus {CANCEL}; key Tab; focus Primary; "
     f"key shift+Tab; focus {CANCEL}; key Right; focus Primary; key Escape; see {STORE}; key Return; gone {STORE}; "
     f"stored 1; key Escape; see {SELECT}"),
    ("a wrong password is refused with a warning; Escape on the request puts the role back",
     f"touch {SELECT}; touch Duplicated; focus {PASSWORD}; check; touch 123, symbols; check; touch Next page; check; "
     f"touch Previous page; type 7390; key Return; see Access denied; check; touch TMessageWindow:&OK; "
     f"focus {PASSWORD}; key Escape; gone {PASSWORD}; checked Primary; touch {CANCEL}; stored 1"),
    ("the password typed on the keyboard's keys and Return, then Store and Yes store duplicated",
     f"touch {SELECT}; touch Duplicated; type 73911; touch Back space; key Return; gone {PASSWORD}; "
     f"checked Duplicated; key Down; focus {STORE}; key Left; focus Duplicated; touch {STORE}; "
     f"see Are you sure?; check; touch &Yes; gone {STORE}; stored 0"),
    ("mnemonics: No goes back to the window, Store and Yes store primary again",
     f"touch {SELECT}; touch Primary; type 7391; touch TAbstractCfgWindow:&OK; gone {PASSWORD}; "
     f"mnemonic {STORE}; see Are you sure?; mnemonic &No; gone Are you sure?; stored 0; checked Primary; mnemonic {STORE}; "
     f"see Are you sure?; mnemonic &Yes; "
     f"gone {STORE}; stored 1"),
    ("mnemonic Cancel leaves without storing; calibration starts the calibrator; Exit ends the program",
     f"touch {SELECT}; key Down; key Down; focus {CANCEL}; mnemonic {CANCEL}; gone {STORE}; stored 1; "
     f"touch &Calibrate touch screen; calibrated; touch &Exit configuration; exited; "
     f"logged void MainScreen::handleNormalOperation()"),
]


def step(unit, verb, arg):
    if verb == "touch":
        unit.touch(arg)
    elif verb == "key":
        unit.key(arg)
    elif verb == "mnemonic":
        unit.mnemonic(arg)
    elif verb == "type":
        # Digits are on the keyboard's first symbol page, which a new request does not open on.
        if not unit.find("1"):
            unit.touch("123, symbols")
        for digit in arg:
            unit.touch(digit)
    elif verb == "see":
        unit.see(arg)
    elif verb == "gone":
        unit.gone(arg)
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
        if not wait(lambda: open(unit.calibrator).read().strip().endswith("calibrator -r"), 20):
            unit.fail("the calibrator was not started with -r")
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
