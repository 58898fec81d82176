#!/usr/bin/env python3
"""man_pages.py README MAN_DIR: the manual pages document the same options
and settings as the README's tables (so neither can drift), and man renders
each page without a warning."""
import re
import shutil
import subprocess
import sys


def section(text, heading, marker):
    # The lines from a heading to the next one of the same level.
    match = re.search(rf"^{marker} {heading}.*?$(.*?)(?=^{marker} |\Z)", text, re.M | re.S)
    if not match:
        sys.exit(f"FAIL: no section '{heading}'")
    return match.group(1)


def readme_options(readme):
    rows = [line for line in section(readme, "Command line", "##").splitlines() if line.startswith("| `")]
    return {name for row in rows for name in re.findall(r"`(--[a-z-]+)", row.split("|")[1])}


def readme_settings(readme):
    body = section(readme, "Settings", "##")
    prose, _, table = body.partition("\n|")
    names = set(re.findall(r"`([A-Za-z_]+)`", prose))
    names |= {m for m in re.findall(r"^\| `([A-Za-z_]+)`", "|" + table, re.M)}
    return names


def page_names(page, heading, pattern):
    # The tag lines of the section's .TP paragraphs.
    lines = section(page, heading, r"\.SH").splitlines()
    found = set()
    for line in (b for a, b in zip(lines, lines[1:]) if a == ".TP"):
        match = re.match(r"^\.B[IR]? (.*)$", line)
        if match:
            args = re.sub(r'"[^"]*"', " ", match.group(1))
            found |= set(re.findall(pattern, args.replace("\\-", "-")))
    return found


def main():
    readme = open(sys.argv[1], encoding="utf-8").read()
    man_dir = sys.argv[2]
    failures = []
    options = readme_options(readme)
    for program in ("duskmaw", "duskmaw-editor"):
        page = open(f"{man_dir}/{program}.6", encoding="utf-8").read()
        documented = page_names(page, "OPTIONS", r"^(--[a-z-]+)") | page_names(page, "OPTIONS", r" (--[a-z-]+)")
        documented.discard("--dt")  # named inside --headless, as in the README
        if documented != options:
            failures.append(f"{program}.6 options differ from the README: "
                            f"missing {sorted(options - documented)}, extra {sorted(documented - options)}")
    settings = readme_settings(readme)
    game_page = open(f"{man_dir}/duskmaw.6", encoding="utf-8").read()
    documented = page_names(game_page, "SETTINGS", r"\b([A-Za-z_]+)\b")
    if documented != settings:
        failures.append(f"duskmaw.6 settings differ from the README: "
                        f"missing {sorted(settings - documented)}, extra {sorted(documented - settings)}")
    if shutil.which("man"):
        for program in ("duskmaw", "duskmaw-editor", "duskmaw-check"):
            run = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", f"{man_dir}/{program}.6"],
                                 capture_output=True, text=True, env={"LC_ALL": "C.UTF-8", "MANWIDTH": "80",
                                                                      "PATH": "/usr/bin:/bin"})
            if run.returncode != 0 or run.stderr.strip():
                failures.append(f"man warns on {program}.6: {run.stderr.strip()}")
    for failure in failures:
        print("FAIL:", failure)
    if failures:
        sys.exit(1)
    print(f"man pages: ok ({len(options)} options, {len(settings)} settings)")


if __name__ == "__main__":
    main()
