#!/usr/bin/env python3
# tst_web_demo.py: scripts/run --web as a newcomer uses it: the printed address opened in headless
# Chromium (WebDriver over HTTP), the menu waited for on the page's canvas, "Select GMDSS system"
# touched by a click on the canvas, the selection window seen opening in the demo unit's system log.
# CTest runs it in private network and process namespaces: its own ports 1, 5900 and 6080, and
# nothing left behind.
import base64, json, os, subprocess, sys, tempfile, time, urllib.request

source, unit = os.environ["KV_SOURCE_DIR"], tempfile.mkdtemp()


def wait_for(what, check, seconds=60):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        result = check()
        if result:
            return result
        time.sleep(0.5)
    sys.exit(f"FAIL: {what} within {seconds} s; system log:\n" + read(unit + "/syslog")[-4000:])


def read(path):
    try:
        with open(path, errors="replace") as file:
            return file.read()
    except OSError:
        return ""


def webdriver(method, path, body=None):
    data = None if body is None else json.dumps(body).encode()
    request = urllib.request.Request("http://127.0.0.1:9515" + path, data, {"Content-Type": "application/json"}, method=method)
    return json.load(urllib.request.urlopen(request, timeout=90))["value"]


def answers(call):
    try:
        return call() or True
    except OSError:
        return False


with open(unit + "/run.out", "w") as out:
    subprocess.Popen([source + "/scripts/run", "--web"], env=dict(os.environ, KV_DEMO_DIR=unit), stdout=out)
url = wait_for("the address printed", lambda: next((w for w in read(unit + "/run.out").split() if w.startswith("http://")), None), 600)
wait_for("the page served", lambda: answers(lambda: urllib.request.urlopen(url, timeout=5).read()))
subprocess.Popen(["chromedriver", "--port=9515"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
wait_for("chromedriver", lambda: answers(lambda: webdriver("GET", "/status")))
flags = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--user-data-dir=" + tempfile.mkdtemp(), "--window-size=1000,800"]
chromium = {"binary": "/usr/lib/chromium/chromium", "args": flags}
session = "/session/" + webdriver("POST", "/session", {"capabilities": {"alwaysMatch": {"goog:chromeOptions": chromium}}})["sessionId"]
webdriver("POST", session + "/url", {"url": url})

# Pixels of the menu's three buttons that differ from the reference picture by more than a trace of
# the VNC encoding, or -1 while the page has no 800 x 600 screen.
differing = """
const done = arguments[1], picture = new Image();
picture.onload = () => {
    const screen = document.querySelector('canvas'), reference = document.createElement('canvas');
    if (!screen || screen.width != 800 || screen.height != 600) return done(-1);
    [reference.width, reference.height] = [800, 600];
    reference.getContext('2d').drawImage(picture, 0, 0);
    const a = reference.getContext('2d').getImageData(200, 220, 400, 180).data;
    const b = screen.getContext('2d').getImageData(200, 220, 400, 180).data;
    let count = 0;
    for (let i = 0; i < a.length; i += 4)
        count += Math.abs(a[i] - b[i]) + Math.abs(a[i + 1] - b[i + 1]) + Math.abs(a[i + 2] - b[i + 2]) > 48;
    done(count);
};
picture.src = 'data:image/png;base64,' + arguments[0];
"""
with open(source + "/tests/screenshots/reference/menu_day.png", "rb") as file:
    menu = base64.b64encode(file.read()).decode()
wait_for("the menu on the canvas", lambda: 0 <= webdriver("POST", session + "/execute/async", {"script": differing, "args": [menu]}) < 720)

# The button's spot (400, 252), from the centre of the canvas shown at its own size.
canvas = webdriver("POST", session + "/element", {"using": "css selector", "value": "canvas"})
click = [{"type": "pointerMove", "origin": canvas, "x": 0, "y": 252 - 300}, {"type": "pointerDown", "button": 0},
         {"type": "pointerUp", "button": 0}]
webdriver("POST", session + "/actions", {"actions": [{"type": "pointer", "id": "finger", "actions": click}]})
wait_for("the selection window", lambda: "shown successfully. this= SelectSystemCfgWindow(" in read(unit + "/syslog"))
webdriver("DELETE", session)
print("PASS: the menu shown in the browser, the selection window opened by a click on its canvas")
