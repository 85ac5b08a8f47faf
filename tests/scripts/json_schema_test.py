#!/usr/bin/env python3
"""The JSON zelk prints against the schemas published in docs/.

Every golden case, the demo data and a run that ends in a fatal condition are
run with --json, --json --summary and --calls --json; each object must be
valid under its schema, and hold what the schema cannot say: the dates of
each month, the exit status of a fatal run, and the same yen sign in the
captions of the JSON and of the CSV. Each is also checked with --bill --json
against a bill written from its calls, the same bill with one charge changed,
and a bill without its columns.

Usage: json_schema_test.py ZELK_BINARY SOURCE_DIR
"""
import datetime
import json
import os
import shutil
import subprocess
import sys
import tempfile

import jsonschema

ZELK, SOURCE = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
GOLDEN = os.path.join(SOURCE, "tests", "data", "golden")
DEMO_TODAY = "2001-03-20"


def schema(name, require_summary=False):
    with open(os.path.join(SOURCE, "docs", name), encoding="utf-8") as file:
        loaded = json.load(file)
    jsonschema.Draft202012Validator.check_schema(loaded)
    if require_summary:
        loaded["required"] = loaded["required"] + ["summary"]
    return jsonschema.Draft202012Validator(loaded)


REPORT = schema("zelk-report.schema.json")
REPORT_WITH_SUMMARY = schema("zelk-report.schema.json", require_summary=True)
CALLS = schema("zelk-calls.schema.json")
BILL = schema("zelk-bill.schema.json")


def identified_ma(path):
    """The case's MA data with the program's identification line on top."""
    with open(os.path.join(SOURCE, "data", "ma.zlk"), "rb") as file:
        own_line = file.readline().rstrip(b"\r\n")
    with open(path, "rb") as file:
        data = file.read()
    with open(path, "wb") as file:
        file.write(own_line + data[data.index(b"\n"):])


def golden_case(name):
    def prepare(home):
        shutil.copytree(os.path.join(GOLDEN, name), home, dirs_exist_ok=True)
        identified_ma(os.path.join(home, "ma.zlk"))
    with open(os.path.join(GOLDEN, name, "scenario.json"), encoding="utf-8") as file:
        scenario = json.load(file)
    return name, prepare, scenario["today"], scenario["args"], None


def demo_case(with_ma):
    def prepare(home):
        shutil.copytree(os.path.join(SOURCE, "data", "demo"), home, dirs_exist_ok=True)
        if with_ma:
            shutil.copy(os.path.join(SOURCE, "data", "ma.zlk"), home)
    # Without its MA data the run cannot start: the fatal condition 250.
    return ("demo" if with_ma else "demo-without-ma"), prepare, DEMO_TODAY, [], None if with_ma else 250


CASES = [golden_case(name) for name in sorted(os.listdir(GOLDEN))
         if os.path.isdir(os.path.join(GOLDEN, name))] + [demo_case(True), demo_case(False)]

# (flags, schema, whether "summary" is present)
OUTPUTS = [
    (["--json"], REPORT, False),
    (["--json", "--summary"], REPORT_WITH_SUMMARY, True),
    (["--calls", "--json"], CALLS, None),
]


def day(text):
    return datetime.date.fromisoformat(text)


def check_dates(report, today):
    """Each month's dates agree with its title and follow the month before;
    the estimate's month holds today."""
    problems = []
    previous_closing = None
    for month in report["months"]:
        start, closing = day(month["periodStart"]), day(month["closingDate"])
        title = closing.strftime("%Y年") + f"{closing.month:2d}月{closing.day:2d}日〆分"
        if month["title"] != title:
            problems.append(f"closingDate {closing} but title {month['title']}")
        if not 28 <= (closing - start).days + 1 <= 31:
            problems.append(f"billing month {start} to {closing} is no month long")
        # The next stored month begins the day after; a month without calls is not stored.
        if previous_closing and (start - previous_closing).days != 1 and (start - previous_closing).days < 28:
            problems.append(f"month from {start} does not follow the one closing {previous_closing}")
        previous_closing = closing
    estimate = report["estimate"]
    if report["fatal"] is None and not day(estimate["periodStart"]) <= today <= day(estimate["closingDate"]):
        problems.append(f"estimate {estimate['periodStart']} to {estimate['closingDate']} does not hold today {today}")
    if report["fatal"] is None and report["estimateFactor"] != 0 and report["months"] and \
            report["months"][-1]["closingDate"] != estimate["closingDate"]:
        problems.append("the projected month is not the newest month")
    return problems


def check_yen(report, csv_text):
    """Plan captions are written alike in the JSON and the CSV, with "¥"."""
    problems = []
    captions = {plan["caption"] for month in report["months"] for plan in month["plans"]}
    captions |= {plan["caption"] for plan in report["summary"]["plans"]} if report.get("summary") else set()
    problems += [f"caption with a backslash: {caption}" for caption in captions if "\\" in caption]
    if report.get("summary") and report["summary"]["plans"]:
        header = csv_text.lstrip("\ufeff").splitlines()[0].split(",")[1:]
        summary_captions = {plan["caption"] for plan in report["summary"]["plans"]}
        if set(header) != summary_captions:
            problems.append(f"CSV captions {sorted(set(header) - summary_captions)} "
                            f"against JSON {sorted(summary_captions - set(header))}")
    return problems


def run(home, today, flags, args):
    env = dict(os.environ, ZELK_HOME=home + "/", ZELK_TODAY=today, LC_ALL="C.UTF-8")
    return subprocess.run([ZELK] + flags + args, cwd=home, env=env, capture_output=True)


def bill_of(calls, changed):
    """The calls as a carrier's itemised bill; the first charge off by 10 yen when `changed`."""
    lines = ["通話日,通話開始時刻,通話先電話番号,通話時間,通話料金"]
    for i, call in enumerate(calls):
        units = call["comUnits"] if call["outOfPrefecture"] else call["feeUnits"]
        seconds = call["seconds"]
        duration = f"{seconds // 3600:02d}:{seconds // 60 % 60:02d}:{seconds % 60:02d}"
        date, time = call["start"].split(" ")
        lines.append(f"{date},{time},{call['number']},{duration},{units * 10 + (10 if changed and i == 0 else 0)}")
    return "\r\n".join(lines) + "\r\n"


def check_bill(home, today, args, fatal_code):
    """--bill --json: valid, and its exit status says whether everything matched."""
    problems = []
    calls_run = run(home, today, ["--calls", "--json"], args)
    if not calls_run.stdout:
        return []  # no stored month: nothing to write a bill from
    calls = json.loads(calls_run.stdout.decode("utf-8"))["calls"]
    bills = {"made": bill_of(calls, False), "changed": bill_of(calls, True), "broken": "date,number\r\n"}
    for kind, text in bills.items():
        path = os.path.join(home, f"bill-{kind}.csv")
        with open(path, "w", encoding="utf-8") as file:
            file.write(text)
        result = run(home, today, ["--bill", path, "--json"], args)
        where = f"--bill ({kind} bill)"
        try:
            document = json.loads(result.stdout.decode("utf-8"))
        except ValueError as error:
            problems.append(f"{where}: no JSON ({error}); stderr {result.stderr[:200]!r}")
            continue
        problems += [f"{where}: {error.json_path}: {error.message}" for error in BILL.iter_errors(document)]
        if document["fatal"]:
            expected = document["fatal"]["code"]
            if kind != "broken" and fatal_code is None and calls_run.returncode == 0:
                problems.append(f"{where}: fatal {document['fatal']}")
        else:
            summary = document["summary"]
            agrees = summary["differs"] + summary["billOnly"] + summary["logsOnly"] == 0
            expected = 0 if agrees else 1
            if agrees != (kind == "made" or not calls):
                problems.append(f"{where}: summary {summary}")
        if kind == "broken" and fatal_code is None and calls_run.returncode == 0 and expected != 2:
            problems.append(f"{where}: a bill without its columns ends with {expected}, not 2")
        if result.returncode != expected:
            problems.append(f"{where}: exit status {result.returncode}, expected {expected}")
    return problems


def check_case(name, prepare, today, args, fatal_code):
    problems = []
    home = tempfile.mkdtemp(prefix="zelk-schema-")
    try:
        prepare(home)
        for flags, validator, with_summary in OUTPUTS:
            result = run(home, today, flags, args)
            where = f"{name} {' '.join(flags)}"
            try:
                document = json.loads(result.stdout.decode("utf-8"))
            except ValueError as error:
                problems.append(f"{where}: no JSON ({error}); stderr {result.stderr[:200]!r}")
                continue
            problems += [f"{where}: {error.json_path}: {error.message}" for error in validator.iter_errors(document)]
            fatal = document.get("fatal")
            expected_code = fatal["code"] if fatal else 0
            if fatal_code is not None and (not fatal or fatal["code"] != fatal_code):
                problems.append(f"{where}: expected the fatal condition {fatal_code}, got {fatal}")
            if result.returncode != expected_code:
                problems.append(f"{where}: exit status {result.returncode}, fatal says {expected_code}")
            if with_summary is False and "summary" in document:
                problems.append(f"{where}: a summary without --summary")
            if with_summary is None or fatal:
                continue
            problems += [f"{where}: {problem}" for problem in check_dates(document, day(today))]
            if with_summary:
                csv = run(home, today, ["--csv"], args).stdout.decode("utf-8")
                problems += [f"{where}: {problem}" for problem in check_yen(document, csv)]
        problems += [f"{name} {problem}" for problem in check_bill(home, today, args, fatal_code)]
    finally:
        shutil.rmtree(home, ignore_errors=True)
    return problems


def main():
    problems = []
    for case in CASES:
        problems += check_case(*case)
    for problem in problems:
        print("FAIL:", problem)
    print(f"{len(CASES)} cases, {len(CASES) * len(OUTPUTS)} outputs, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
