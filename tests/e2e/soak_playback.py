"""Long runs under Wine: an endless plain playback, then an endless hand-written script run, each
for SOAK_MINUTES (default 30) into target.exe, with the tray icon flashing all the while. Every
SAMPLE_SECONDS it samples what tapmill.exe holds: its resident memory (from /proc: the Unix process
is the Windows process), and through procstat.exe its private bytes, kernel handles, windows, and
USER and GDI objects (GetGuiResources; Wine does not count these and answers nothing, shown as -1).
After the first minute every figure must stay within 5% of its value at the end of that minute.
Prints the samples and a summary per run; exits 1 when a figure did not stay flat or a run stalled.

Run through CTest (label soak) or `make soak`; SOAK_MINUTES=2 gives a quick look."""

import os
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import tapmill_e2e as e2e
from main_window import MainWindow

MINUTES = float(os.environ.get("SOAK_MINUTES", "30"))
SAMPLE_SECONDS = 10
SETTLE_SECONDS = 60
TOLERANCE = 0.05
FIGURES = ("rss_kb", "private_kb", "handles", "windows", "user", "gdi")

# A recording of two seconds at speed 5: the pointer goes along a line left of the main window,
# with a left click and the key A on the way.
FRAMES = 100
CLICK_FRAME, KEY_FRAME = 30, 60
# A script that clicks and types at a point left of the main window, five times a second.
SCRIPT = ["开始", "鼠标移至X=120y=120", "单击鼠标左键", "延时100毫秒", "单击键盘的A", "延时100毫秒", "结束"]


def recording_bytes():
    lines = []
    for frame in range(FRAMES):
        lines.append(f"[{frame}]")
        if frame == CLICK_FRAME:
            lines.append("kp=WM_LBUTTONDOWN")
        elif frame == CLICK_FRAME + 1:
            lines.append("kp=WM_LBUTTONUP")
        elif frame == KEY_FRAME:
            lines.append("kp=k65")
        lines += [f"x={50 + 2 * frame}", "y=100"]
    lines += ["[all]", f"value={FRAMES}"]
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


def resident_kb(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    raise RuntimeError("no VmRSS")


def procstat(scratch):
    helper = e2e.WineProcess(e2e.e2e_bin() / "procstat.exe", ["TForm_maintapmill"], cwd=scratch,
                             stdout=subprocess.PIPE, text=True)
    output, _ = helper.popen.communicate(timeout=e2e.WAIT_SECONDS)
    if helper.popen.returncode != 0:
        raise RuntimeError("procstat.exe found no tapmill.exe")
    figures = dict(item.split("=") for item in output.split())
    private = int(figures["private"])
    return {"private_kb": private // 1024 if private >= 0 else -1, "handles": int(figures["handles"]),
            "windows": int(figures["windows"]), "user": int(figures["user"]), "gdi": int(figures["gdi"])}


def soak(name, tapmill, scratch, progress):
    """Samples for MINUTES; returns the samples, each (seconds, figures, progress)."""
    samples = []
    started = time.monotonic()
    print(f"\n{name}: {MINUTES:g} min")
    print(f"{'time':>6} {'RSS kB':>9} {'private kB':>11} {'handles':>8} {'windows':>8} {'USER':>5} {'GDI':>5} "
          f"{'events':>8}")
    while True:
        elapsed = time.monotonic() - started
        if not tapmill.running():
            raise AssertionError(f"tapmill.exe ended during the {name}")
        figures = {"rss_kb": resident_kb(tapmill.popen.pid), **procstat(scratch)}
        samples.append((elapsed, figures, progress()))
        print(f"{elapsed:6.0f} {figures['rss_kb']:9d} {figures['private_kb']:11d} {figures['handles']:8d} "
              f"{figures['windows']:8d} {figures['user']:5d} {figures['gdi']:5d} {samples[-1][2]:8d}", flush=True)
        if elapsed >= MINUTES * 60:
            return samples
        time.sleep(max(0.0, SAMPLE_SECONDS - (time.monotonic() - started - elapsed)))


def judge(name, samples):
    """Prints the summary; returns the problems found."""
    settle = min(SETTLE_SECONDS, samples[-1][0] / 4)
    baseline = next(s for s in samples if s[0] >= settle)
    later = [s for s in samples if s[0] >= baseline[0]]
    problems = []
    print(f"\n{name}: figures from {baseline[0]:.0f} s to {samples[-1][0]:.0f} s against those at {baseline[0]:.0f} s")
    for figure in FIGURES:
        base = baseline[1][figure]
        values = [s[1][figure] for s in later]
        if base < 0:
            print(f"  {figure:<11} not given by the system (Wine answers nothing)")
            continue
        low, high = min(values), max(values)
        drift = max(abs(low - base), abs(high - base)) / base if base else (0.0 if high == low == 0 else 1.0)
        verdict = "flat" if drift <= TOLERANCE else "NOT flat"
        print(f"  {figure:<11} at settle {base:>9}  min {low:>9}  max {high:>9}  end {values[-1]:>9}"
              f"  drift {drift * 100:5.2f}%  {verdict}")
        if drift > TOLERANCE:
            problems.append(f"{name}: {figure} drifted {drift * 100:.2f}% (from {base} to {low}..{high})")
    # The run must have gone on to the end: events kept arriving in the last quarter.
    quarter = [s for s in samples if s[0] >= samples[-1][0] * 0.75]
    if quarter[-1][2] <= quarter[0][2]:
        problems.append(f"{name}: no events reached the target in the last quarter")
    print(f"  events injected into the target: {samples[-1][2]}")
    return problems


def main():
    e2e.start_session()
    problems = []
    try:
        with tempfile.TemporaryDirectory(prefix="tapmill-soak-") as scratch:
            folder = e2e.ProgramFolder(scratch)
            folder.write_bytes("jb_rec/soak.ini", recording_bytes())
            folder.write_bytes("jb_homa/soak.ini", ("\r\n".join(SCRIPT) + "\r\n").encode("gbk"))
            tapmill = e2e.WineProcess(folder.path / "tapmill.exe", cwd=folder.path)
            driver = e2e.UiDriver(cwd=scratch)
            target = None
            try:
                main = MainWindow(driver)
                # The tray icon changes its picture every 200 ms while something plays.
                main.show_panel("Panel_set")
                driver.click(main.in_panel("Panel_set", "播放时托盘闪烁"))
                target = e2e.Target(scratch)
                target.wait_ready()
                events = lambda: len(target.events())

                main.show_panel("Panel_rec")
                driver.combo_select(main.driver.find_class(main.panel("Panel_rec"), "ComboBox"), "soak")
                driver.click(main.in_panel("Panel_rec", "读取脚本"))
                e2e.wait_until(lambda: driver.get_text(main.label_after("Panel_rec", "当前脚本:")) == "soak",
                               "the recording to become current")
                driver.click(main.in_panel("Panel_rec", "无限循环播放"))
                driver.click(main.in_panel("Panel_rec", "播放"))
                e2e.wait_until(lambda: main.status(0) == "当前状态：播放……", "the playback to start")
                problems += judge("endless plain playback", soak("endless plain playback", tapmill, scratch, events))
                driver.click(main.in_panel("Panel_rec", "结束"))
                e2e.wait_until(lambda: main.status(0) == "当前状态：", "the playback to end")

                main.show_panel("Panel_homa")
                table = driver.find_class(main.panel("Panel_homa"), "SysListView32")
                driver.lv_select(table, 0)
                driver.click(main.in_panel("Panel_homa", "启用"))
                e2e.wait_until(lambda: driver.lv_text(table, 0, 2) == "是", "the script to be enabled")
                driver.click(main.in_panel("Panel_homa", "无限循环播放"))
                driver.click(main.in_panel("Panel_homa", "运行"))
                e2e.wait_until(lambda: main.status(0) == "当前状态：运行脚本……", "the script to run")
                problems += judge("endless script run", soak("endless script run", tapmill, scratch, events))
                driver.click(main.in_panel("Panel_homa", "结束"))
                e2e.wait_until(lambda: main.status(0) == "当前状态：", "the run to end")
            finally:
                if target:
                    target.stop()
                driver.quit()
                tapmill.kill()
    finally:
        e2e.end_session()
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
