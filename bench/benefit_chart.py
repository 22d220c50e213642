"""The chart of scripts/benefit.sh: how late the responsive front program woke, as the share of its
wake-ups later than each lateness, with Kestrune not running and with each acceleration, at the two
heaviest background loads measured. Drawn as ImageMagick vector commands (MVG), rendered to PNG.
"""
import math
import os
import subprocess
import tempfile

WIDTH, HEIGHT = 1000, 700
X_DECADES = (-2, 2)  # 0.01 ms to 100 ms
Y_DECADES = (2, -1)  # 100 % down to 0.1 %
CURVES = (("off", "#888888"), ("normal", "#1f6fb4"), ("extreme", "#d62728"))
WAKERS = ("input", "frame")
TEXT = {
    "ja": {
        "title": "前にあるプログラムが、目を覚ます予定の時刻からどれだけ遅れて動き出したか",
        "note": "左下に寄るほど早く動き出しています（{cores} コアのパソコン、Wine、優先度を Linux に伝える仲立ちあり）",
        "input": "1 ミリ秒ごと（入力の処理）", "frame": "16.7 ミリ秒ごと（描き替え）",
        "level": "裏に 1 コアあたり {n} スレッド", "spare": "裏の負荷、コア 1 個空き",
        "x": "遅れ（ミリ秒）", "y": "これより遅れた割合（%）",
        "off": "Kestrune なし", "normal": "普通加速", "extreme": "極限加速",
    },
    "en": {
        "title": "How late the program in front started running after the time it asked to wake up",
        "note": "The further down and left, the sooner it ran ({cores}-core machine, Wine, priorities passed on to Linux)",
        "input": "every 1 ms (input handling)", "frame": "every 16.7 ms (a frame loop)",
        "level": "{n} busy threads per core", "spare": "one core spare",
        "x": "lateness (ms)", "y": "wake-ups later than this (%)",
        "off": "Kestrune not running", "normal": "Normal boost", "extreme": "Extreme boost",
    },
}


def font():
    try:
        found = subprocess.run(["fc-match", "-f", "%{file}", "IPAPGothic"], capture_output=True, text=True).stdout
    except OSError:
        found = ""
    return found or "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"


def survival(counts):
    """(lateness in ms, share of wake-ups at least that late) at each bucket's floor."""
    total = sum(counts.values())
    points, remaining = [], total
    for floor in sorted(counts):
        points.append((floor / 1000, remaining / total))
        remaining -= counts[floor]
    return points


class Panel:
    def __init__(self, left, top, width, height):
        self.left, self.top, self.width, self.height = left, top, width, height

    def x(self, ms):
        lo, hi = X_DECADES
        value = min(max(math.log10(max(ms, 10 ** lo)), lo), hi)
        return self.left + (value - lo) / (hi - lo) * self.width

    def y(self, share):
        top, bottom = Y_DECADES
        value = min(max(math.log10(max(share * 100, 10 ** bottom)), bottom), top)
        return self.top + (top - value) / (top - bottom) * self.height

    def frame(self, words, title):
        out = [f"fill none stroke '#dddddd' stroke-width 1"]
        for d in range(X_DECADES[0], X_DECADES[1] + 1):
            out.append(f"line {self.x(10 ** d):.1f},{self.top} {self.x(10 ** d):.1f},{self.top + self.height}")
        for d in range(Y_DECADES[1], Y_DECADES[0] + 1):
            out.append(f"line {self.left},{self.y(10 ** d / 100):.1f} {self.left + self.width},{self.y(10 ** d / 100):.1f}")
        out.append(f"stroke '#444444' rectangle {self.left},{self.top} {self.left + self.width},{self.top + self.height}")
        out.append("stroke none fill '#222222' font-size 13")
        for d in range(X_DECADES[0], X_DECADES[1] + 1):
            label = f"{10 ** d:g}"
            out.append(f"text {self.x(10 ** d) - 4 * len(label):.1f},{self.top + self.height + 17} '{label}'")
        for d in range(Y_DECADES[1], Y_DECADES[0] + 1):
            label = f"{10 ** d:g}"
            out.append(f"text {self.left - 8 - 7 * len(label)},{self.y(10 ** d / 100) + 5:.1f} '{label}'")
        out.append(f"text {self.left + self.width / 2 - 40:.1f},{self.top + self.height + 36} '{words['x']}'")
        out.append(f"push graphic-context translate {self.left - 42},{self.top + self.height - 10} rotate -90 "
                   f"text 0,0 '{words['y']}' pop graphic-context")
        out.append(f"font-size 15 text {self.left},{self.top - 9} '{title}'")
        return out

    def curve(self, points, colour):
        coords = []
        for i, (ms, share) in enumerate(points):
            if i:
                coords.append((self.x(ms), self.y(points[i - 1][1])))
            coords.append((self.x(ms), self.y(share)))
        if points:  # the last wake-ups' step down to the bottom
            coords.append((self.x(points[-1][0]), self.y(0)))
        # Separate lines: ImageMagick 6 closes a long path or polyline when it strokes it.
        out = [f"fill none stroke '{colour}' stroke-width 2.5 stroke-linecap round"]
        for (x0, y0), (x1, y1) in zip(coords, coords[1:]):
            if (round(x0, 1), round(y0, 1)) != (round(x1, 1), round(y1, 1)):
                out.append(f"line {x0:.1f},{y0:.1f} {x1:.1f},{y1:.1f}")
        return out


def chosen_levels(hists):
    present = [l for l in ("spare", "1x", "2x", "4x") if any(h["level"] == l for h in hists)]
    heavy = [l for l in ("2x", "4x") if l in present]
    return heavy or present[-2:]


def draw(hists, language, path, meta):
    words = TEXT[language]
    levels = chosen_levels(hists)
    cores = meta.get("machine", "?").split()[0]
    commands = [f"viewbox 0 0 {WIDTH} {HEIGHT}", f"fill white rectangle 0,0 {WIDTH},{HEIGHT}",
                f"font '{font()}'", "fill '#111111' font-size 19", f"text 30,34 '{words['title']}'",
                "fill '#555555' font-size 13", f"text 30,56 '{words['note'].format(cores=cores)}'"]
    columns, rows = max(len(levels), 1), len(WAKERS)
    cell_w, cell_h = (WIDTH - 40) / columns, (HEIGHT - 120) / rows
    for row, waker in enumerate(WAKERS):
        for column, level in enumerate(levels):
            panel = Panel(40 + column * cell_w + 70, 100 + row * cell_h, cell_w - 100, cell_h - 75)
            load = words["spare"] if level == "spare" else words["level"].format(n=level.rstrip("x"))
            title = f"{words[waker]}{', ' if language == 'en' else '・'}{load}"
            commands += panel.frame(words, title)
            for config, colour in CURVES:
                counts = {}
                for h in hists:
                    if (h["level"], h["config"], h["bridge"], h["waker"]) == (level, config, "on", waker):
                        for floor, count in h["counts"].items():
                            counts[floor] = counts.get(floor, 0) + count
                if counts:
                    commands += panel.curve(survival(counts), colour)
    x = 110
    for config, colour in CURVES:
        commands.append(f"fill none stroke '{colour}' stroke-width 3 line {x},{HEIGHT - 22} {x + 36},{HEIGHT - 22}")
        commands.append(f"stroke none fill '#222222' font-size 15 text {x + 44},{HEIGHT - 17} '{words[config]}'")
        x += 70 + 15 * len(words[config]) if language == "ja" else 70 + 8 * len(words[config])
    with tempfile.NamedTemporaryFile("w", suffix=".mvg", delete=False, encoding="utf-8") as f:
        f.write("\n".join(commands) + "\n")
        mvg = f.name
    try:
        os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
        # Without dates or other metadata: the same figures draw the same file.
        subprocess.run(["convert", f"mvg:{mvg}", "-strip", "-define", "png:exclude-chunks=date,time", path],
                       check=True)
    finally:
        os.remove(mvg)
