"""Signed updates: with the service's key in config/update-key.pem the updater installs only
what the signed manifest vouches for, checked with Windows' own cryptography."""

import subprocess
from pathlib import Path

import pytest

from test_update import OK, ftp_root, install, offered, serve, wait_for_word, word  # noqa: F401 (fixtures)

pytestmark = pytest.mark.program("Update.exe")

SIGN_UPDATE = Path(__file__).resolve().parents[2] / "tools" / "sign_update"
UNVERIFIED = "업데이트의 서명을 확인할 수 없어 업데이트하지 않았습니다."
DLL = b"MZ\r\n\0signed" * 50


def keys(folder, name):
    private, public = folder / (name + ".pem"), folder / (name + ".pub.pem")
    subprocess.run([str(SIGN_UPDATE), "keygen", str(private), str(public)], check=True)
    return private, public


def sign(private, ftp_root):  # noqa: F811
    subprocess.run([str(SIGN_UPDATE), "sign", str(private), str(ftp_root / "vorlo")], check=True)


# What the manifest vouches for is the core's to test; here Windows' own cryptography checks a
# real signature, and one by another key.
@pytest.mark.parametrize("signer", ["service", "stranger"])
def test_only_what_the_service_signed_is_installed(launch, driver, install, serve, ftp_root, tmp_path,  # noqa: F811
                                                   signer):
    service, public = keys(tmp_path, "service")
    private = service if signer == "service" else keys(tmp_path, signer)[0]
    (install / "config" / "update-key.pem").write_bytes(public.read_bytes())
    serve("[UTIL]\none.dll\n", {"one.dll": DLL})
    sign(private, ftp_root)

    program = launch("Update.exe", directory=install)
    if signer == "service":
        driver.press(offered(driver)["hwnd"], OK)
    else:
        box = driver.find_message_box(caption="Update")
        assert box["text"] == UNVERIFIED
        driver.close_message_box(box)
    assert wait_for_word(install, program) == b"UPDATE"
    assert program.wait_exit() == 0
    assert (install / "util" / "one.dll").exists() == (signer == "service")
    assert not (install / "temp").exists()
    assert word(install) == b"UPDATE"
