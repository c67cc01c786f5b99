#!/usr/bin/env python3
# tst_web_demo.py: scripts/run --web as a newcomer uses it: the printed address opened in headless
# Chromium (WebDriver over HTTP), the menu waited for on the page's canvas, "Select GMDSS system"
# touched by a click on the canvas, the selection window seen opening in the demo unit's system log.
# CTest runs it in private network, IPC and process namespaces: its own ports 1, 5900 and 6080, and
# nothing left behind (the namespace's end kills x11vnc, whose shared memory goes with the IPC one).
import base64, json, os, subprocess, sys, tempfile, time, urllib.request

source, unit = os.environ["KV_SOURCE_DIR"], tempfile.mkdtemp()
read = lambda name: open(f"{unit}/{name}", errors="replace").read() if os.path.exists(f"{unit}/{name}") else ""


def wait_for(what, check, seconds=60):
    for _ in range(seconds * 2):
        try:
            if (result := check()) not in (None, False):
                return result
        except OSError:  # not serving yet
            pass
        time.sleep(0.5)
    sys.exit(f"FAIL: {what} within {seconds} s; system log:\n" + read("syslog")[-4000:])


def webdriver(method, path, body=None):
    request = urllib.request.Request("http://127.0.0.1:9515" + path, None if body is None else json.dumps(body).encode(), method=method)
    return json.load(urllib.request.urlopen(request, timeout=90))["value"]


run = subprocess.Popen([source + "/scripts/run", "--web"], env=dict(os.environ, KV_DEMO_DIR=unit), stdout=open(unit + "/run.out", "w"))
address = lambda: next((w for w in read("run.out").split() if w.startswith("http://")), None) or run.poll() and sys.exit("FAIL: run ended")
url = wait_for("the address printed", address, 240)
wait_for("the page served", lambda: urllib.request.urlopen(url, timeout=5).read())
subprocess.Popen(["chromedriver", "--port=9515"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
wait_for("chromedriver", lambda: webdriver("GET", "/status"))
flags = f"--headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking --disable-sync \
    --disable-component-update --user-data-dir={tempfile.mkdtemp()} --window-size=1000,800".split()
chromium = {"goog:chromeOptions": {"binary": "/usr/lib/chromium/chromium", "args": flags}}
session = "/session/" + webdriver("POST", "/session", {"capabilities": {"alwaysMatch": chromium}})["sessionId"]
webdriver("POST", session + "/url", {"url": url})

# Pixels of the three menu buttons unlike the reference picture beyond a trace of the VNC encoding
# (1 in 200 here); -1 while the page shows no 800 x 600 screen.
differing = """const [png, done] = arguments, picture = new Image(), screen = document.querySelector('canvas');
if (!screen || screen.width != 800 || screen.height != 600) return done(-1);
picture.onload = () => {
    const reference = Object.assign(document.createElement('canvas'), { width: 800, height: 600 }).getContext('2d');
    reference.drawImage(picture, 0, 0);
    const [a, b] = [reference, screen.getContext('2d')].map(c => c.getImageData(200, 220, 400, 180).data);
    const distance = i => Math.abs(a[i] - b[i]) + Math.abs(a[i + 1] - b[i + 1]) + Math.abs(a[i + 2] - b[i + 2]);
    done(a.filter((_, i) => i % 4 == 0 && distance(i) > 48).length);
};
picture.src = 'data:image/png;base64,' + png;"""
menu = base64.b64encode(open(source + "/tests/screenshots/reference/menu_day.png", "rb").read()).decode()
wait_for("the menu on the canvas", lambda: 0 <= webdriver("POST", session + "/execute/async", {"script": differing, "args": [menu]}) < 3600)

# The button's spot (400, 252), from the centre of the canvas shown at its own size.
canvas = webdriver("POST", session + "/element", {"using": "css selector", "value": "canvas"})
touch = [{"type": "pointerMove", "origin": canvas, "x": 0, "y": 252 - 300}, {"type": "pointerDown", "button": 0},
         {"type": "pointerUp", "button": 0}]
webdriver("POST", session + "/actions", {"actions": [{"type": "pointer", "id": "finger", "actions": touch}]})
wait_for("the selection window", lambda: "shown successfully. this= SelectSystemCfgWindow(" in read("syslog") or None)
