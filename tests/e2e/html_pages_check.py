#!/usr/bin/env python3
"""The HTML pages of a comparison, made by the built program and checked as a
reader and a browser see them: one difference element per difference the
report counts, every name and line escaped, nothing referenced outside the
page; and in headless Chromium the page loads without console errors and
shows its summary.

Usage: html_pages_check.py TESSALINE SOURCE_DIR
"""
import html.parser
import os
import re
import shutil
import subprocess
import sys
import tempfile


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.kinds = []          # data-kind of each difference element
        self.tags = set()
        self.references = []     # every href, src and url(...)
        self.text = []

    def handle_starttag(self, tag, attrs):
        self.tags.add(tag)
        for name, value in attrs:
            if name == "data-kind":
                self.kinds.append(value)
            if name in ("href", "src", "action", "poster", "srcset"):
                self.references.append(value or "")

    def handle_data(self, data):
        self.text.append(data)


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def parse(path):
    page = Page()
    with open(path, encoding="utf-8") as f:
        source = f.read()
    page.feed(source)
    page.references += re.findall(r"url\(([^)]*)\)", source) + re.findall(r"@import", source)
    return page, source


def report_count(path):
    with open(path, "rb") as f:
        last = f.read().decode("utf-8", "replace").rstrip().splitlines()[-1]
    match = re.match(r"^ (\d+) の違いがあります$", last)
    return int(match.group(1)) if match else 0


def check_self_contained(name, page, index):
    for ref in page.references:
        local = ref.startswith("#") or (index and re.fullmatch(r"[^:/]+\.html", ref))
        if not local:
            fail(f"{name}: refers outside the page: {ref!r}")
    for tag in ("script", "link", "img", "iframe", "object"):
        if tag in page.tags:
            fail(f"{name}: has a <{tag}> element")


def run(tessaline, args, cwd, env):
    return subprocess.run([tessaline] + args, cwd=cwd, env=env, capture_output=True)


def write_pair(folder):
    vrf = "<script>alert(1)</script> & \"q\""
    before = ("Gateway of last resort is not set\nC    10.1.0.0/24 is directly connected, E0\n"
              "Routing Table: " + vrf + "\nGateway of last resort is not set\n"
              "S    10.9.0.0/16 [1/0] via 10.1.1.1\n"
              "IPv6 Routing Table - default - 1 entries\nS   2001:DB8::/32 [1/0]\n     via FE80::1, Gi0/0\n")
    after = before.replace("10.1.1.1", "10.1.1.2 <b>").replace("FE80::1", "fe80::2")
    for name, text in (("before.log", before), ("after.log", after)):
        with open(os.path.join(folder, name), "w") as f:
            f.write(text)
    return vrf


def check_in_browser(page_path):
    chromium = shutil.which("chromium") or shutil.which("chromium-browser")
    if chromium is None:
        fail("chromium is not installed (scripts/setup.sh installs it)")
    with tempfile.TemporaryDirectory() as profile:
        r = subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--user-data-dir=" + profile,
                            "--enable-logging=stderr", "--v=0", "--dump-dom", "file://" + page_path],
                           capture_output=True, timeout=120)
    dom = r.stdout.decode("utf-8", "replace")
    log = r.stderr.decode("utf-8", "replace")
    if r.returncode != 0:
        fail(f"chromium exited {r.returncode}: {log[-500:]}")
    console = [line for line in log.splitlines() if "CONSOLE" in line or "Uncaught" in line]
    if console:
        fail("console messages: " + " | ".join(console))
    if "概要" not in dom or "data-kind=" not in dom:
        fail("the rendered page shows no summary")


def main():
    tessaline, source = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    with tempfile.TemporaryDirectory() as work:
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config"))
        out = os.path.join(work, "out")
        os.mkdir(out)
        examples = os.path.join(source, "examples", "change")
        r = run(tessaline, ["--html", "-o", out, os.path.join(examples, "before"), os.path.join(examples, "after")], work, env)
        if r.returncode not in (0, 1):
            fail("folder comparison: " + r.stderr.decode())
        pages = sorted(n for n in os.listdir(out) if n.endswith(".html"))
        if "index.html" not in pages or len(pages) < 2:
            fail(f"pages written: {pages}")
        for name in pages:
            page, _ = parse(os.path.join(out, name))
            check_self_contained(name, page, index=name == "index.html")
            if name != "index.html":
                expected = report_count(os.path.join(out, name[:-5] + ".dif"))
                if len(page.kinds) != expected:
                    fail(f"{name}: {len(page.kinds)} difference elements, the report counts {expected}")
        # Names and lines are text: a VRF named <script> shows as such.
        vrf = write_pair(work)
        r = run(tessaline, ["--html", "before.log", "after.log"], work, env)
        page, source_text = parse(os.path.join(work, "after.html"))
        check_self_contained("after.html", page, index=False)
        if sorted(page.kinds) != ["changed", "changed"] or report_count(os.path.join(work, "after.dif")) != 2:
            fail(f"escaped pair: kinds {page.kinds}")
        text = "".join(page.text)
        if vrf not in text or "10.1.1.2 <b>" not in text.replace("\n", " ") or "b" in page.tags:
            fail("a name or line was not escaped")
        check_in_browser(os.path.join(out, "core1.html"))
    print("OK")


main()
