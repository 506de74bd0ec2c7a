#!/usr/bin/env python3
"""Runs the end-to-end scenarios, one after another.

    python3 tests/e2e/run.py [NAME ...]

A scenario is a function scenario_NAME() in a module tests/e2e/test_*.py. NAME
selects it (with or without the scenario_ prefix); a module name (test_x)
selects all of its scenarios. A failure's screenshot and traceback go to
out/e2e/NAME-fail.png and out/e2e/NAME-fail.txt. A scenario may set a
`timeout` attribute (seconds) to replace the default limit.
"""

import argparse
import importlib.util
import inspect
import os
import signal
import sys
import time
import traceback
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import harness  # noqa: E402


class ScenarioTimeout(Exception):
    pass


_limit = 0


def _on_alarm(signum, frame):
    raise ScenarioTimeout(f"time limit of {_limit} s reached")


def _on_term(signum, frame):
    # Unwind normally so that every session ends its processes.
    raise SystemExit(143)


class Scenario:
    def __init__(self, name, module, func=None, error=None):
        self.name, self.module, self.func, self.error = name, module, func, error


def discover(folder):
    """Scenarios in module order, then in source order within a module."""
    found = []
    for path in sorted(Path(folder).glob("test_*.py")):
        try:
            loader = importlib.util.spec_from_file_location(path.stem, path)
            module = importlib.util.module_from_spec(loader)
            loader.loader.exec_module(module)
        except Exception as e:  # a broken module fails, the others still run
            found.append(Scenario(path.stem, path.stem, error=f"cannot import: {one_line(e)}"))
            continue
        funcs = [f for n, f in vars(module).items()
                 if n.startswith("scenario_") and inspect.isfunction(f) and f.__module__ == module.__name__]
        funcs.sort(key=lambda f: f.__code__.co_firstlineno)
        found += [Scenario(f.__name__[len("scenario_"):], path.stem, func=f) for f in funcs]
    return found


def select_scenarios(scenarios, wanted):
    if not wanted:
        return scenarios, []
    names = {w[len("scenario_"):] if w.startswith("scenario_") else w for w in wanted}
    chosen = [s for s in scenarios if s.name in names or s.module in names]
    known = {s.name for s in scenarios} | {s.module for s in scenarios}
    return chosen, sorted(names - known)


def one_line(exc):
    text = " ".join(str(exc).split())
    if isinstance(exc, AssertionError) and not text:
        # A bare assert: say where it stood.
        frame = traceback.extract_tb(exc.__traceback__)[-1]
        text = f"assertion failed: {frame.line} ({Path(frame.filename).name}:{frame.lineno})"
    elif not isinstance(exc, AssertionError):
        text = f"{type(exc).__name__}: {text}"
    return text


def run_one(scenario, limit):
    """(passed, reason, whether Wine's own process crashed)."""
    global _limit
    harness.current_scenario = scenario.name
    reason = None
    wine_crashed = False
    _limit = max(1, int(limit))
    signal.alarm(_limit)
    try:
        scenario.func()
    except Exception as e:
        signal.alarm(0)
        reason = one_line(e)
        wine_crashed = isinstance(e, harness.WineEndedBySignal)
        (harness.OUT_DIR / f"{scenario.name}-fail.txt").write_text(traceback.format_exc())
    finally:
        signal.alarm(0)
        # Whatever the scenario left open: keep a picture if it failed, then end it.
        for session in harness.live_sessions():
            if reason:
                session.save_failure_screenshot()
            session.close()
        harness.current_scenario = None
    return reason is None, reason, wine_crashed


def main():
    parser = argparse.ArgumentParser(description="Flimmer end-to-end scenarios")
    parser.add_argument("names", nargs="*", help="scenarios or test modules to run (default: all)")
    parser.add_argument("--dir", default=str(HERE), help="folder holding the test_*.py modules")
    parser.add_argument("--scenario-timeout", type=float,
                        default=float(os.environ.get("FLIMMER_E2E_SCENARIO_TIMEOUT", 300)))
    parser.add_argument("--budget", type=float, default=float(os.environ.get("FLIMMER_E2E_BUDGET", 2400)),
                        help="seconds for the whole run; scenarios left when it is spent fail")
    args = parser.parse_args()

    sys.path.insert(0, str(Path(args.dir).resolve()))
    scenarios, unknown = select_scenarios(discover(args.dir), args.names)
    if unknown:
        print(f"no such scenario: {', '.join(unknown)}", file=sys.stderr)
        return 2

    harness.OUT_DIR.mkdir(parents=True, exist_ok=True)
    signal.signal(signal.SIGALRM, _on_alarm)
    signal.signal(signal.SIGTERM, _on_term)
    deadline = time.monotonic() + args.budget
    passed = failed = reruns = 0
    for scenario in scenarios:
        started = time.monotonic()
        if scenario.error:
            ok, reason = False, scenario.error
        elif started >= deadline:
            ok, reason = False, "not run: the time budget of the run is spent"
        else:
            limit = min(getattr(scenario.func, "timeout", args.scenario_timeout), deadline - started)
            ok, reason, wine_crashed = run_one(scenario, limit)
            if wine_crashed and deadline > time.monotonic():
                # Said out loud, and the scenario must then pass whole.
                print(f"RERUN {scenario.name}: {reason}", flush=True)
                reruns += 1
                started = time.monotonic()
                limit = min(getattr(scenario.func, "timeout", args.scenario_timeout), deadline - started)
                ok, reason, _ = run_one(scenario, limit)
        if ok:
            passed += 1
            print(f"PASS {scenario.name} ({time.monotonic() - started:.1f}s)", flush=True)
        else:
            failed += 1
            print(f"FAIL {scenario.name}: {reason}", flush=True)
    if reruns:
        print(f"{reruns} scenario(s) run again after Wine's process died of a signal", flush=True)
    print(f"{passed} passed, {failed} failed", flush=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
