"""Fixtures of the end-to-end tests: one Wine session per run, a fresh copy of the installed
program directory, a driver and the started programs per test.

CTest sets the environment (tests/e2e/CMakeLists.txt); by hand, for example:
  E2E_BUILD_DIR=build/win32 /usr/bin/python3 -m pytest -q tests/e2e
"""

import os
import re
import shutil
from pathlib import Path

import pytest

from chat_peer import ChatPeer
from lobby import SERVER_EXE, point_at_chat_server, start_lobby_server
from machine import Registry, StandinProgram
from winerig import KOREAN, Driver, Program, WineSession

BUILD_DIR = Path(os.environ.get("E2E_BUILD_DIR", "build/win32")).resolve()
PROGRAM_DIR = Path(os.environ.get("E2E_PROGRAM_DIR", BUILD_DIR / "e2e-install"))
UIDRIVER = Path(os.environ.get("E2E_UIDRIVER", BUILD_DIR / "tools/uidriver/uidriver.exe"))
MINIMAL_DIALOG = Path(os.environ.get("E2E_MINIMAL_DIALOG", BUILD_DIR / "tools/bench/MinimalDialog.exe"))
DIALOG_PROBE = Path(os.environ.get("E2E_DIALOG_PROBE", BUILD_DIR / "tools/dialog_probe/dialog_probe.exe"))
OUTPUT_DIR = Path(os.environ.get("E2E_OUTPUT_DIR", BUILD_DIR / "e2e-output"))


def pytest_configure(config):
    config.addinivalue_line("markers", "program(name): the test needs this program in the installed directory")


def pytest_collection_modifyitems(items):
    for item in items:
        for marker in item.iter_markers("program"):
            if not (PROGRAM_DIR / marker.args[0]).exists():
                item.add_marker(pytest.mark.skip(reason="%s is not installed in %s" % (marker.args[0], PROGRAM_DIR)))


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    if report.when == "call":
        item.call_failed = report.failed


@pytest.fixture(scope="session")
def wine_session():
    if not UIDRIVER.exists():
        pytest.exit("uidriver.exe not found at %s; build the win32 preset first" % UIDRIVER)
    session = WineSession(OUTPUT_DIR / "session", UIDRIVER).start()
    yield session
    session.stop()


@pytest.fixture(scope="session")
def minimal_dialog():
    """Our minimal dialog program, the target of the rig's own tests."""
    return MINIMAL_DIALOG


@pytest.fixture(scope="session")
def dialog_probe():
    """A dialog of our framework whose button handler throws."""
    return DIALOG_PROBE


@pytest.fixture
def test_output(request):
    """The test's own output folder: logs of its programs and its screenshots."""
    module = Path(request.node.fspath).stem
    name = re.sub(r"[^\w.-]+", "-", request.node.name).strip("-")
    folder = OUTPUT_DIR / module / name
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    return folder


@pytest.fixture
def program_dir(tmp_path):
    """A private copy of the installed program directory, so a test may write its files."""
    return Path(shutil.copytree(PROGRAM_DIR, tmp_path / "program"))


@pytest.fixture
def driver(wine_session, test_output, request):
    driver = Driver(wine_session, test_output)
    yield driver
    # Every test leaves a picture of the screen as it ended, so a person can look.
    name = "failure-screen.png" if getattr(request.node, "call_failed", False) else "final-screen.png"
    wine_session.screenshot(test_output / name)
    driver.close()


@pytest.fixture
def launch(wine_session, driver, test_output, request):
    """launch(exe, *args, code_page=KOREAN, directory=None) starts a program with its directory
    (by default a copy of the installed one) as current directory. At the end of the test every
    program it started, and every program those started, is stopped, and a crash fails the test."""
    started = []
    windows_before = {window["pid"] for window in driver.windows()}

    def start(exe, *args, code_page=KOREAN, directory=None):
        if directory is None:
            directory = request.getfixturevalue("program_dir")
        program = Program(wine_session, directory, exe, args, log_path=test_output / (exe + ".log"),
                          code_page=code_page)
        started.append(program)
        return driver.watch(program)

    yield start
    for program in started:
        program.stop()
    # Programs that the test's programs started themselves have windows of new processes.
    for pid in driver.new_pids(windows_before, visible_only=True):
        driver.terminate(pid)
    for program in started:
        program.check()


@pytest.fixture
def chat_peer(program_dir):
    """A scripted chat server of the test's own, named in the program directory's position.ini."""
    peer = ChatPeer()
    point_at_chat_server(program_dir, peer.port)
    yield peer
    peer.stop()


@pytest.fixture
def lobby_server(launch, program_dir):
    """Our lobby server, LobbyServer.exe under Wine, named in the program directory's position.ini;
    its port. A test that takes it before the lobby has the lobby connect there."""
    if not (PROGRAM_DIR / SERVER_EXE).exists():
        pytest.skip("%s is not installed in %s" % (SERVER_EXE, PROGRAM_DIR))
    return start_lobby_server(launch, program_dir)


@pytest.fixture
def registry(wine_session, test_output):
    """The Wine prefix's registry, as the programs see it."""
    return Registry(wine_session, test_output)


@pytest.fixture
def game(wine_session, tmp_path):
    """A stand-in program to register as StarCraft's "Program"."""
    return StandinProgram(wine_session, tmp_path / "starcraft")
