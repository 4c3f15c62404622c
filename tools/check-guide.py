#!/usr/bin/env python3
"""check-guide.py GUIDE.md IKSA_CLI: checks that the user guide matches the
program. Every text the guide quotes in „…“ must stand in the program's
sources or catalogue (menu items, captions, messages), every picture it
shows must exist, every link inside it must lead to one of its headings, and
every `iksa-cli COMMAND` it names must be a command that iksa-cli knows.
Prints each mismatch and exits 1 when there is one.
"""
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCES = ["app", "records", "backup", "preview", "report", "scoring", "evaluation",
           "norms", "tools/iksa-cli", "tools/package"]
EXTENSIONS = (".cpp", ".h", ".json", ".desktop", "iksa-start")


def squeeze(text):
    return re.sub(r"\s+", " ", text)


def program_texts():
    parts = []
    for folder in SOURCES:
        for base, _, files in os.walk(os.path.join(ROOT, folder)):
            for name in files:
                if name.endswith(EXTENSIONS):
                    with open(os.path.join(base, name), encoding="utf-8") as f:
                        parts.append(f.read())
    return squeeze("\n".join(parts))


def slug(heading):
    text = heading.strip().lower()
    text = "".join(c for c in text if c.isalnum() or c in " -_")
    return text.replace(" ", "-")


def cli_commands(cli):
    usage = subprocess.run([cli], capture_output=True, text=True).stderr
    return set(re.findall(r"^\s+iksa-cli (\S+)", usage, re.M))


def main():
    guide_path, cli = sys.argv[1], sys.argv[2]
    with open(guide_path, encoding="utf-8") as f:
        guide = f.read()
    here = os.path.dirname(os.path.abspath(guide_path))
    problems = []

    texts = program_texts()
    for quoted in re.findall(r"„([^“]+)“", guide):
        if squeeze(quoted) not in texts:
            problems.append(f"quoted text not in the program: „{quoted}“")

    for picture in re.findall(r"!\[[^\]]*\]\(([^)]+)\)", guide):
        if not os.path.isfile(os.path.join(here, picture)):
            problems.append(f"missing picture: {picture}")

    anchors = {slug(h) for h in re.findall(r"^#+ (.+)$", guide, re.M)}
    for anchor in re.findall(r"\]\(#([^)]+)\)", guide):
        if anchor not in anchors:
            problems.append(f"link to no heading: #{anchor}")

    known = cli_commands(cli)
    if not known:
        problems.append("iksa-cli listed no commands")
    code = re.findall(r"`([^`]+)`", guide) + re.findall(r"^    (.+)$", guide, re.M)
    for command in {c for span in code for c in re.findall(r"iksa-cli ([a-z][a-z-]*)", span)}:
        if command not in known:
            problems.append(f"iksa-cli has no command {command}")

    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
