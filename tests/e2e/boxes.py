#!/usr/bin/env python3
"""Names the message boxes a launcher run showed, from Wine's window trace (trace+win).

    boxes.py WINE_LOG

Prints one line: the boxes in the order shown, joined by "+", or "none". The launcher's own
texts get short names; any other text (the system's description of an error) is printed as it
stands, in quotes.
"""
import re
import sys

NAMES = {
    "서버에 오류가 발생하였습니다. 잠시 후 이용 바랍니다.": "server-error",
    "네크워크 에러": "network-error",
    "내부 응용 프로그램 오류입니다.": "internal-error",
}
# Window texts that are no box's message: the box's caption and buttons, Wine's own windows.
CHROME = {"", "(null)", "Default IME", "WineAppBar", "DorvexLauncher", "OK", "Cancel", "Help",
          "&Abort", "&Retry", "&Ignore", "&Yes", "&No", "&Try Again", "&Continue"}


def decode(text):
    return re.sub(r"\\([0-9a-f]{4})", lambda m: chr(int(m.group(1), 16)), text)


def main():
    shown = []
    with open(sys.argv[1], "rb") as log:
        for raw in log:
            line = raw.decode("utf-8", "replace")
            m = re.search(r'set_window_text L"(.*)"\s*$', line)
            if not m:
                continue
            text = decode(m.group(1))
            if text in CHROME:
                continue
            shown.append(NAMES.get(text, '"%s"' % text))
    print("+".join(shown) if shown else "none")


if __name__ == "__main__":
    main()
