#!/usr/bin/env python3
"""Checks X.json against docs/quavor-results.schema.json for every example and
every case of tests/cli/cases/ with an input.qvb: quavor-view runs in a fresh
scratch directory on copies, then each X.json must validate and read back
to the same value."""
import json
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

import jsonschema


def main():
    view, source = sys.argv[1], Path(sys.argv[2])
    schema = json.loads((source / "docs" / "quavor-results.schema.json").read_text())
    jsonschema.Draft202012Validator.check_schema(schema)
    validator = jsonschema.Draft202012Validator(schema)
    checked = 0
    with tempfile.TemporaryDirectory(prefix="quavor-view-schema-") as scratch:
        work = Path(scratch)
        (work / "examples").mkdir()
        for f in sorted((source / "examples").glob("*.qvb")):
            shutil.copy(f, work / "examples" / f.name)
        for case in sorted((source / "tests" / "cli" / "cases").iterdir()):
            if (case / "input.qvb").exists():
                (work / "cases" / case.name).mkdir(parents=True)
                shutil.copy(case / "input.qvb", work / "cases" / case.name / "input.qvb")
        subprocess.run([view, "--json", "--no-html", "--jobs", "2", "examples", "cases"], cwd=work,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        failures = 0
        for results in sorted(work.rglob("*.json")):
            text = results.read_text(encoding="utf-8")
            value = json.loads(text)
            if results.name == "summary.json":
                continue
            errors = sorted(validator.iter_errors(value), key=lambda e: list(e.path))
            for e in errors:
                failures += 1
                print(f"{results.relative_to(work)}: {'/'.join(map(str, e.path))}: {e.message}")
            if json.loads(json.dumps(value)) != value:
                failures += 1
                print(f"{results.relative_to(work)}: does not read back to the same value")
            checked += 1
        verdicts = {json.loads(p.read_text())["verdict"] for p in work.rglob("*.json") if p.name != "summary.json"}
    print(f"{checked} results checked, verdicts {sorted(verdicts)}")
    if checked < 40 or not {"compliant", "not-compliant", "fatal", "unreadable"} <= verdicts:
        print("too few results or verdicts missing")
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
