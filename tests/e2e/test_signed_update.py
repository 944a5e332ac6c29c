"""Signed updates: with the service's key in config/update-key.pem the updater installs only
what the signed manifest vouches for, checked with Windows' own cryptography."""

import subprocess
from pathlib import Path

import pytest

from test_update import ftp_root, install, offered, serve, wait_for_word, word  # noqa: F401 (fixtures)
from updater import OK

pytestmark = pytest.mark.program("Update.exe")

SIGN_UPDATE = Path(__file__).resolve().parents[2] / "tools" / "sign_update"
UNVERIFIED = "업데이트의 서명을 확인할 수 없어 업데이트하지 않았습니다."
DLL = b"MZ\r\n\0signed" * 50


def keys(folder, name):
    private, public = folder / (name + ".pem"), folder / (name + ".pub.pem")
    subprocess.run([str(SIGN_UPDATE), "keygen", str(private), str(public)], check=True)
    return private, public


def sign(private, root):
    subprocess.run([str(SIGN_UPDATE), "sign", str(private), str(root / "vorlo")], check=True)


SPOILED = {
    "file changed after signing": lambda vorlo, other: (vorlo / "one.dll").write_bytes(DLL + b"virus"),
    "manifest changed after signing": lambda vorlo, other: (vorlo / "manifest.ini").write_bytes(
        (vorlo / "manifest.ini").read_bytes().replace(b"one.dll", b"two.dll")),
    "no signature": lambda vorlo, other: (vorlo / "manifest.sig").unlink(),
    "signed by another key": lambda vorlo, other: sign(other, vorlo.parent),
}


@pytest.mark.parametrize("spoil", [None, *SPOILED], ids=["signed", *SPOILED])
def test_only_what_the_service_signed_is_installed(launch, driver, install, serve, ftp_root, tmp_path,  # noqa: F811
                                                   spoil):
    private, public = keys(tmp_path, "service")
    other, _ = keys(tmp_path, "stranger")
    (install / "config" / "update-key.pem").write_bytes(public.read_bytes())
    serve("[UTIL]\none.dll\n", {"one.dll": DLL})
    sign(private, ftp_root)
    if spoil:
        SPOILED[spoil](ftp_root / "vorlo", other)

    program = launch("Update.exe", directory=install)
    if spoil in (None, "file changed after signing"):
        driver.press(offered(driver)["hwnd"], OK)
    if spoil:
        box = driver.find_message_box(caption="Update")
        assert box["text"] == ("one.dll 파일이 서명된 목록과 달라 업데이트하지 않았습니다."
                               if spoil == "file changed after signing" else UNVERIFIED)
        driver.close_message_box(box)
    assert wait_for_word(install, program) == b"UPDATE"
    assert program.wait_exit() == 0
    assert ((install / "util" / "one.dll").exists()) == (spoil is None)
    assert not (install / "temp").exists()
    assert word(install) == b"UPDATE"
