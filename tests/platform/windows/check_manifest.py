# check_manifest.py EXE -- the manifest built into a Windows exe: it must say the program is DPI-aware
# (per monitor), ask for the common controls 6, run as the user who starts it and name Windows 10 among
# the systems it supports. Read with wrestool (icoutils) as Windows reads it: resource type 24, name 1.
import subprocess
import sys
import unittest
import xml.etree.ElementTree as ElementTree

ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
WINDOWS_10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"

EXE = sys.argv.pop(1) if len(sys.argv) > 1 else ""


def manifest_of(exe):
    """The exe's process manifest, parsed; fails the test when it has none."""
    listed = subprocess.run(["wrestool", "--list", "--type=24", exe], capture_output=True, text=True, check=True)
    names = [line.split("--name=")[1].split()[0] for line in listed.stdout.splitlines() if "--name=" in line]
    if names != ["1"]:
        raise AssertionError("%s has manifests named %r, not the one process manifest (name 1)" % (exe, names))
    raw = subprocess.run(
        ["wrestool", "--extract", "--raw", "--type=24", "--name=1", exe], capture_output=True, check=True
    ).stdout
    return ElementTree.fromstring(raw)


class ManifestTest(unittest.TestCase):
    def test_the_exe_declares_itself_dpi_aware_with_a_modern_manifest(self):
        root = manifest_of(EXE)
        self.assertEqual(root.tag, ASM_V1 + "assembly")
        settings = root.find("%sapplication/%swindowsSettings" % (ASM_V3, ASM_V3))
        self.assertIsNotNone(settings, "no windowsSettings")
        # Windows 10 1607 and later read dpiAwareness, older ones dpiAware: both must say per monitor.
        self.assertEqual(settings.findtext(SETTINGS_2016 + "dpiAwareness").replace(" ", ""), "PerMonitorV2,PerMonitor")
        self.assertEqual(settings.findtext(SETTINGS_2005 + "dpiAware").strip(), "true/pm")

        controls = [
            identity.attrib
            for identity in root.iter(ASM_V1 + "assemblyIdentity")
            if identity.get("name") == "Microsoft.Windows.Common-Controls"
        ]
        self.assertEqual([(c["version"], c["publicKeyToken"]) for c in controls], [("6.0.0.0", "6595b64144ccf1df")])

        level = root.find(".//%srequestedExecutionLevel" % ASM_V3)
        self.assertEqual((level.get("level"), level.get("uiAccess")), ("asInvoker", "false"))

        systems = [os.get("Id") for os in root.iter(COMPATIBILITY + "supportedOS")]
        self.assertIn(WINDOWS_10, systems)


if __name__ == "__main__":
    unittest.main()
