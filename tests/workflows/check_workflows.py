#!/usr/bin/python3
"""What actionlint does not check in the workflows of .github/workflows:

- the workflow grants nothing by itself (`permissions: {}` at the top) and
  every job says which permissions it needs;
- every action is one of GitHub's own (owner `actions/`), pinned by the full
  SHA of a commit, with its version in a comment on the same line;
- a job in a container installs git before actions/checkout, so that it makes
  a real clone (without git it downloads the files alone, and the release,
  which takes the commit, cannot be made), and trusts the clone after it (its
  folder belongs to the runner's user, not to the container's root, and git
  refuses to work in it otherwise);
- no `${{ … }}` inside a step's script: a value from the event or from another
  step (the address GitHub Pages reports) reaches the script through `env:`,
  so that it is read as data, never run as part of the script.

Each rule is first tried on a workflow that breaks it, which it must find.

    check_workflows.py [WORKFLOW_DIR]
"""

import os
import re
import sys

import yaml

PIN = re.compile(r"^\s*(?:-\s+)?uses:\s*(\S+?)@([0-9a-f]{40})\s+#\s*v\d+(\.\d+)*\s*$")


def uses_lines(text):
    return [line for line in text.splitlines() if re.match(r"^\s*(-\s+)?uses:", line)]


def jobs(workflow):
    return (workflow or {}).get("jobs") or {}


def rule_top_permissions(text, workflow):
    if workflow.get("permissions") != {}:
        return ["the workflow does not start from `permissions: {}`"]
    return []


def rule_job_permissions(text, workflow):
    return [f"job {name} declares no permissions"
            for name, job in jobs(workflow).items() if "permissions" not in job]


def rule_pinned(text, workflow):
    return [f"not pinned by a full SHA with its version in a comment: {line.strip()}"
            for line in uses_lines(text) if not PIN.match(line)]


def rule_github_actions(text, workflow):
    found = []
    for line in uses_lines(text):
        action = line.split("uses:", 1)[1].strip()
        if not action.startswith("actions/"):
            found.append(f"an action that is not GitHub's own: {action}")
    return found


def container_checkouts(workflow):
    """(job's name, its steps, the index of its checkout) of each job in a container that checks out."""
    for name, job in jobs(workflow).items():
        steps = job.get("steps") or []
        checkout = next((i for i, s in enumerate(steps) if str(s.get("uses", "")).startswith("actions/checkout@")), None)
        if "container" in job and checkout is not None:
            yield name, steps, checkout


def rule_git_before_checkout(text, workflow):
    return [f"job {name} runs in a container and does not install git before actions/checkout"
            for name, steps, checkout in container_checkouts(workflow)
            if not any(re.search(r"apt-get install[^\n]*\bgit\b", str(s.get("run", ""))) for s in steps[:checkout])]


def rule_clone_trusted(text, workflow):
    return [f"job {name} runs in a container and does not trust its clone (safe.directory) after actions/checkout"
            for name, steps, checkout in container_checkouts(workflow)
            if not any("safe.directory" in str(s.get("run", "")) for s in steps[checkout + 1:])]


def rule_no_expressions_in_scripts(text, workflow):
    return [f"job {name} writes an expression into a script (pass it through env): {step['run'].strip()}"
            for name, job in jobs(workflow).items() for step in job.get("steps") or []
            if "${{" in str(step.get("run", ""))]


RULES = [rule_top_permissions, rule_job_permissions, rule_pinned, rule_github_actions, rule_git_before_checkout,
         rule_clone_trusted, rule_no_expressions_in_scripts]

# A workflow that keeps every rule; each case below breaks one.
GOOD = """\
on: push
permissions: {}
jobs:
  a:
    runs-on: ubuntu-latest
    container: debian:12
    permissions:
      contents: read
    steps:
      - run: apt-get update && apt-get install -y git
      - uses: actions/checkout@11bd71901bbe5b1630ceea73d27597364c9af683 # v4.2.2
      - run: git config --global --add safe.directory "$GITHUB_WORKSPACE"
"""
SHA = "11bd71901bbe5b1630ceea73d27597364c9af683"
BROKEN = [
    (rule_top_permissions, GOOD.replace("permissions: {}\n", "")),
    (rule_top_permissions, GOOD.replace("permissions: {}\n", "permissions: write-all\n")),
    (rule_job_permissions, GOOD.replace("    permissions:\n      contents: read\n", "")),
    (rule_pinned, GOOD.replace(f"@{SHA} # v4.2.2", "@v4")),
    (rule_pinned, GOOD.replace(f"@{SHA} # v4.2.2", f"@{SHA}")),
    (rule_pinned, GOOD.replace(f"@{SHA}", f"@{SHA[:12]}")),
    (rule_github_actions, GOOD.replace("actions/checkout", "someone/checkout")),
    (rule_git_before_checkout, GOOD.replace("apt-get install -y git", "apt-get install -y make")),
    (rule_git_before_checkout, GOOD.replace(
        "      - run: apt-get update && apt-get install -y git\n      - uses: actions/checkout@"
        f"{SHA} # v4.2.2\n",
        f"      - uses: actions/checkout@{SHA} # v4.2.2\n      - run: apt-get install -y git\n")),
    (rule_clone_trusted, GOOD.replace("safe.directory", "user.name")),
    (rule_no_expressions_in_scripts, GOOD.replace('"$GITHUB_WORKSPACE"', '"${{ github.workspace }}"')),
]


def check(text):
    workflow = yaml.safe_load(text)
    return [problem for rule in RULES for problem in rule(text, workflow)]


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    folder = argv[1] if len(argv) > 1 else os.path.join(here, "..", "..", ".github", "workflows")
    failures = 0

    def report(ok, what):
        nonlocal failures
        print(("ok   " if ok else "FAIL ") + what)
        failures += not ok

    report(not check(GOOD), "a workflow that keeps every rule passes: " + "; ".join(check(GOOD)))
    for rule, text in BROKEN:
        report(bool(rule(text, yaml.safe_load(text))), f"{rule.__name__} finds a workflow that breaks it")

    files = sorted(f for f in os.listdir(folder) if f.endswith((".yml", ".yaml")))
    report(bool(files), f"workflows in {folder}: {' '.join(files)}")
    for name in files:
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            problems = check(f.read())
        for problem in problems:
            print(f"     {name}: {problem}")
        report(not problems, name)
    print(f"{failures} check(s) failed" if failures else "every workflow keeps the rules")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
