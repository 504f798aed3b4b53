#!/usr/bin/env python3
"""The live camera's page in a real browser: headless Chromium driven by Selenium.

A person opens the page, taps the preview, drags one reticle away from the other, long-presses
to lock, opens the bar, takes a photo with a 3-second self-timer watching it count on screen,
saves what they did and replays it with snapforge-sim. A second tab shows the same phone, and
both tabs find the camera again when its server restarts. Usage: live_page_test.py SNAPFORGE_SIM.
Exits 77 (skipped) when Selenium or chromedriver is missing.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.options import Options
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print("selenium is not installed (python3-selenium)")
    sys.exit(77)

SIM = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "build/default/snapforge-sim")
CHROMEDRIVER = shutil.which("chromedriver") or "/usr/bin/chromedriver"
CHROMIUM = shutil.which("chromium") or "/usr/bin/chromium"
if not (os.path.exists(CHROMEDRIVER) and os.path.exists(CHROMIUM)):
    print("chromium or chromedriver is not installed (chromium-driver)")
    sys.exit(77)

WAIT = 10


def start_server(folder, port=0):
    """snapforge-sim --live (on a free port unless told); its last line is the page's address."""
    server = subprocess.Popen([SIM, "--live", "--port", str(port), "--quiet",
                               "--token-file", "live-token"], cwd=folder,
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    for line in server.stdout:
        if line.startswith("http://127.0.0.1:"):
            return server, line.strip()
    server.kill()
    raise RuntimeError("snapforge-sim --live printed no address")


def start_browser(downloads):
    options = Options()
    options.binary_location = CHROMIUM
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1400,900"):
        options.add_argument(argument)
    options.add_experimental_option("prefs", {"download.default_directory": downloads,
                                              "download.prompt_for_download": False})
    browser = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    browser.execute_cdp_cmd("Page.setDownloadBehavior",
                            {"behavior": "allow", "downloadPath": downloads})
    return browser


class LivePage(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="snapforge-live-test-")
        self.server, self.url = start_server(self.folder)
        self.browser = start_browser(self.folder)
        self.wait = WebDriverWait(self.browser, WAIT)
        self.browser.get(self.url)
        self.find_screen()

    def stop_server(self):
        self.server.terminate()
        self.assertEqual(self.server.wait(timeout=WAIT), 0, "Ctrl-C or SIGTERM stops it cleanly")
        self.server.stdout.close()

    def find_screen(self):
        """The screen of the tab in front, once it shows a frame."""
        self.screen = self.browser.find_element(By.ID, "screen")
        self.wait.until(lambda _: self.screen.find_elements(By.TAG_NAME, "svg"))

    def tearDown(self):
        self.browser.quit()
        self.stop_server()
        shutil.rmtree(self.folder, ignore_errors=True)

    # What a person does.

    def console_lines(self):
        return self.browser.find_element(By.ID, "console-log").text.splitlines()

    def ask(self, line):
        """Types a line into the console and returns what it printed after it."""
        before = len(self.console_lines())
        self.browser.find_element(By.ID, "console").send_keys(line, Keys.ENTER)
        self.wait.until(lambda _: len(self.console_lines()) >= before + 2)
        return self.console_lines()[before + 1]

    def run_line(self, line):
        before = len(self.console_lines())
        self.browser.find_element(By.ID, "console").send_keys(line, Keys.ENTER)
        self.wait.until(lambda _: len(self.console_lines()) > before)

    def gesture_done(self, expected):
        """The page prints the gesture it recorded once the finger has lifted."""
        self.wait.until(lambda _: "· " + expected in self.console_lines())

    def finger_at(self, x, y):
        """Moves the mouse to screen point x, y (the box maps linearly onto the screen)."""
        box = self.screen.rect
        scale = box["width"] / 320
        return ActionChains(self.browser).move_to_element_with_offset(
            self.screen, x * scale - box["width"] / 2, y * scale - box["height"] / 2)

    def tap_drawn(self, view_class):
        """Taps the middle of a view as the screen draws it."""
        drawn = self.screen.find_element(By.CSS_SELECTOR, f'g[data-class="{view_class}"]')
        ActionChains(self.browser).move_to_element(drawn).click().perform()

    def screen_text(self, view_class):
        """The texts the screen shows in views of a class (read at once: frames replace it)."""
        return self.browser.execute_script(
            "return [...document.querySelectorAll(arguments[0])].map(t => t.textContent)",
            f'#screen g[data-class="{view_class}"] text')

    def test_a_person_plays_with_the_camera_and_keeps_it_as_a_scenario(self):
        # A tap on the preview brings both reticles to the finger.
        self.assertEqual(self.ask("reticle.focus"), "115,195")
        self.finger_at(200, 300).click().perform()
        self.gesture_done("tap 200 300")
        self.assertEqual(self.ask("reticle.focus"), "160,260")
        self.assertEqual(self.ask("reticle.exposure"), "160,260")

        # A drag takes the exposure reticle, on top, away from the focus reticle.
        drag = self.finger_at(200, 300).click_and_hold()
        for _ in range(5):
            drag.move_by_offset(-20, -30)
        drag.release().perform()
        self.wait.until(lambda _: any(line.startswith("· drag 200 300 to 100 150")
                                      for line in self.console_lines()))
        self.assertEqual(self.ask("reticle.exposure"), "60,110")
        self.assertEqual(self.ask("reticle.focus"), "160,260")

        # A long press on the focus reticle locks it.
        self.finger_at(200, 300).click_and_hold().pause(0.8).release().perform()
        self.wait.until(lambda _: any(line.startswith("· hold 200 300")
                                      for line in self.console_lines()))
        self.assertEqual(self.ask("locked.focus"), "YES")

        # The settings button, tapped where the screen shows it, opens the camera bar.
        self.tap_drawn("SettingsButtonEx")
        self.wait.until(lambda _: self.ask("bar") == "shown")

        # A 3-second self-timer counts on screen, then a photo is taken.
        self.run_line("tap bar.timer")
        self.wait.until(lambda _: self.ask("dial.value") == "5")
        self.run_line("tap dial.minus")
        self.run_line("tap dial.minus")
        self.assertEqual(self.ask("dial.value"), "3")
        self.assertEqual(self.ask("photos"), "0")
        self.tap_drawn("PLCameraButton")
        seen = set()
        WebDriverWait(self.browser, WAIT, poll_frequency=0.1).until(
            lambda _: seen.update(self.screen_text("TimerLabel")) or {"2", "1"} <= seen)
        self.wait.until(lambda _: self.ask("photos") == "1")
        self.assertEqual(self.screen_text("TimerLabel"), [])

        # Saved, the session replays as a scenario that passes.
        self.browser.find_element(By.ID, "save").click()
        saved = os.path.join(self.folder, "live.scenario")
        self.wait.until(lambda _: os.path.exists(saved))
        with open(saved, encoding="utf-8") as file:
            scenario = file.read()
        for line in ("launch", "tap 200 300", "drag 200 300 to 100 150", "hold 200 300",
                     "expect reticle.exposure 60,110", "expect locked.focus YES", "tap bar.timer",
                     "expect dial.value 3", "expect photos 1", "wait "):
            self.assertIn(line, scenario)
        replay = subprocess.run([SIM, "--quiet", saved], cwd=self.folder, capture_output=True,
                                text=True, timeout=60)
        self.assertEqual(replay.returncode, 0, replay.stdout + replay.stderr)

    def test_a_second_tab_sees_the_same_phone_and_both_outlive_a_restart(self):
        first = self.browser.current_window_handle
        self.browser.switch_to.new_window("tab")
        second = self.browser.current_window_handle
        self.browser.get(self.url)
        self.find_screen()

        # A tap in one tab moves the reticles the other one shows.
        self.browser.switch_to.window(first)
        self.find_screen()
        self.finger_at(200, 300).click().perform()
        self.gesture_done("tap 200 300")
        self.browser.switch_to.window(second)
        self.find_screen()
        self.wait.until(lambda _: self.ask("reticle.focus") == "160,260")

        # The server goes away and comes back on its port with its kept token: each tab says
        # what happened and plays with the new phone.
        port = self.url.split(":")[2].split("/")[0]
        self.stop_server()
        link = self.browser.find_element(By.ID, "link")
        self.wait.until(lambda _: link.text == "reconnecting…")
        self.assertIn("the server cannot be reached: reconnecting…", self.console_lines())
        self.server, _ = start_server(self.folder, port)
        for tab in (second, first):
            self.browser.switch_to.window(tab)
            self.wait.until(lambda _: "the server restarted: a new phone, and the recording "
                            "starts again" in self.console_lines())
            self.assertEqual(self.browser.find_element(By.ID, "link").text, "live")
        self.find_screen()
        self.assertEqual(self.ask("reticle.focus"), "115,195")
        self.finger_at(100, 150).click().perform()
        self.gesture_done("tap 100 150")
        self.assertEqual(self.ask("reticle.focus"), "60,110")


if __name__ == "__main__":
    unittest.main()
