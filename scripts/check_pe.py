#!/usr/bin/env python3
"""Checks the properties of a built tandrel.exe.

Reads the PE headers and the resource section and checks that the file is a
32-bit (PE32, i386) Windows GUI program whose manifest asks for
administrator rights and Common-Controls 6.0.0.0 and holds nothing else, whose
version block says 2.0.0.0 with the one string table "080404B0", whose icon
group DEFAULT_ICON holds the six 32-bit images (256 stored as PNG) and which
carries the two donation pictures as baseline JPEG files.

Prints one line per check and exits with 1 when any check fails (2 when the
file cannot be read as a PE file at all). Python 3 standard library only.

    python3 scripts/check_pe.py build/win32/tandrel.exe
    python3 scripts/check_pe.py --arch x64 build/win64/tandrel.exe
"""

import argparse
import struct
import sys
import xml.etree.ElementTree as ElementTree

RT_ICON = 3
RT_RCDATA = 10
RT_GROUP_ICON = 14
RT_VERSION = 16
RT_MANIFEST = 24

# What each architecture's build must be.
ARCHES = {
    "x86": {"magic": 0x10B, "format": "PE32", "machine": 0x14C, "machine_name": "i386",
            "manifest_arch": "x86"},
    "x64": {"magic": 0x20B, "format": "PE32+", "machine": 0x8664, "machine_name": "AMD64",
            "manifest_arch": "amd64"},
}

IMAGE_SUBSYSTEM_WINDOWS_GUI = 2
VOS_NT_WINDOWS32 = 0x00040004
VFT_APP = 1
VERSION = (2, 0, 0, 0)
STRING_TABLE = "080404B0"
TRANSLATION = (0x0804, 1200)
ICON_GROUP = "DEFAULT_ICON"
ICON_SIZES = (256, 128, 96, 64, 48, 32)
PICTURES = ((201, "WeChat picture", 248, 248), (202, "Alipay picture", 248, 247))

ASM_V1 = "urn:schemas-microsoft-com:asm.v1"
MANIFEST_ELEMENTS = {
    "assembly", "assemblyIdentity", "dependency", "dependentAssembly", "trustInfo",
    "security", "requestedPrivileges", "requestedExecutionLevel",
}
COMMON_CONTROLS = {
    "type": "win32",
    "name": "Microsoft.Windows.Common-Controls",
    "version": "6.0.0.0",
    "publicKeyToken": "6595b64144ccf1df",
    "language": "*",
}


class NotPe(Exception):
    pass


# ------------------------------------------------------------- PE reading


class PeFile:
    """The headers, sections and resource tree of a PE image file."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise NotPe("no MZ header")
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise NotPe("no PE signature")
        coff = pe + 4
        self.machine, section_count = struct.unpack_from("<HH", data, coff)
        optional_size = self.u16(coff + 16)
        optional = coff + 20
        self.magic = self.u16(optional)
        self.subsystem = self.u16(optional + 68)
        directories = optional + (96 if self.magic == 0x10B else 112)
        directory_count = self.u32(directories - 4)
        self.resource_rva, self.resource_size = (0, 0)
        if directory_count > 2:
            self.resource_rva, self.resource_size = struct.unpack_from(
                "<II", data, directories + 2 * 8)
        self.sections = []
        table = optional + optional_size
        for i in range(section_count):
            entry = table + 40 * i
            virtual_size, address, raw_size, raw_offset = struct.unpack_from(
                "<IIII", data, entry + 8)
            self.sections.append((address, max(virtual_size, raw_size), raw_offset))

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset_of(self, rva):
        for address, size, raw_offset in self.sections:
            if address <= rva < address + size:
                return rva - address + raw_offset
        raise NotPe("address 0x%x lies in no section" % rva)

    def resources(self):
        """{type: {name: {language: bytes}}}; types and names are ints or strings."""
        if not self.resource_rva:
            return {}
        base = self.offset_of(self.resource_rva)
        tree = {}
        for type_key, names in self.directory(base, 0):
            tree[type_key] = {}
            for name_key, languages in self.directory(base, names):
                tree[type_key][name_key] = {}
                for language, entry in self.directory(base, languages):
                    rva, size = struct.unpack_from("<II", self.data, base + entry)
                    start = self.offset_of(rva)
                    tree[type_key][name_key][language] = self.data[start:start + size]
        return tree

    def directory(self, base, offset):
        """The entries of one resource directory: (key, offset of what it points to)."""
        named, numbered = struct.unpack_from("<HH", self.data, base + offset + 12)
        entries = []
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, base + offset + 16 + 8 * i)
            if name & 0x80000000:
                start = base + (name & 0x7FFFFFFF)
                length = self.u16(start)
                key = self.data[start + 2:start + 2 + 2 * length].decode("utf-16-le")
            else:
                key = name
            entries.append((key, target & 0x7FFFFFFF))
        return entries


def only_resource(tree, kind, name):
    """The data of resource (kind, name) when it exists in exactly one language."""
    languages = tree.get(kind, {}).get(name, {})
    if len(languages) != 1:
        return None
    return next(iter(languages.values()))


# --------------------------------------------------------------- results


class Report:
    def __init__(self):
        self.failures = 0

    def check(self, name, ok, detail):
        if not ok:
            self.failures += 1
        print("%-4s  %s: %s" % ("ok" if ok else "FAIL", name, detail))


# ----------------------------------------------------------------- header


def check_headers(report, pe, arch):
    expected = ARCHES[arch]
    formats = {0x10B: "PE32", 0x20B: "PE32+"}
    report.check("format", pe.magic == expected["magic"],
                 "%s (want %s)" % (formats.get(pe.magic, "magic 0x%x" % pe.magic),
                                   expected["format"]))
    report.check("machine", pe.machine == expected["machine"],
                 "0x%04x (want 0x%04x, %s)" % (pe.machine, expected["machine"],
                                              expected["machine_name"]))
    names = {2: "GUI", 3: "console"}
    report.check("subsystem", pe.subsystem == IMAGE_SUBSYSTEM_WINDOWS_GUI,
                 "%s (want GUI)" % names.get(pe.subsystem, str(pe.subsystem)))


# --------------------------------------------------------------- manifest


def local_name(tag):
    return tag.rsplit("}", 1)[-1]


def find_all(root, name):
    return [e for e in root.iter() if local_name(e.tag) == name]


def parse_manifest(report, tree):
    manifests = [(name, lang)
                 for name, langs in tree.get(RT_MANIFEST, {}).items() for lang in langs]
    data = only_resource(tree, RT_MANIFEST, 1)
    if len(manifests) != 1 or data is None:
        report.check("manifest", False, "want one manifest resource with id 1, found %s"
                     % (manifests or "none"))
        return None
    try:
        root = ElementTree.fromstring(data)
    except ElementTree.ParseError as error:
        report.check("manifest", False, "not well-formed XML: %s" % error)
        return None
    ok = root.tag == "{%s}assembly" % ASM_V1 and root.get("manifestVersion") == "1.0"
    report.check("manifest", ok, "resource 1, %d bytes, asm.v1 assembly" % len(data))
    return root


def check_manifest(report, tree, arch):
    root = parse_manifest(report, tree)
    if root is None:
        return
    want_arch = ARCHES[arch]["manifest_arch"]

    levels = find_all(root, "requestedExecutionLevel")
    attributes = [dict(level.attrib) for level in levels]
    ok = attributes == [{"level": "requireAdministrator", "uiAccess": "false"}]
    report.check("manifest execution level", ok, "requireAdministrator, uiAccess false"
                 if ok else "found %s" % attributes)

    dependencies = [identity for dependent in find_all(root, "dependentAssembly")
                    for identity in dependent if local_name(identity.tag) == "assemblyIdentity"]
    wanted = dict(COMMON_CONTROLS, processorArchitecture=want_arch)
    found = [dict(identity.attrib) for identity in dependencies]
    ok = found == [wanted]
    report.check("manifest common controls", ok, "%s %s %s" % (
        wanted["name"], wanted["version"], want_arch) if ok else "found %s, want [%s]" % (
        found, wanted))

    own = [child for child in root if local_name(child.tag) == "assemblyIdentity"]
    own_attributes = dict(own[0].attrib) if len(own) == 1 else {}
    ok = (own_attributes.get("type") == "win32"
          and own_attributes.get("processorArchitecture") == want_arch
          and bool(own_attributes.get("name")) and bool(own_attributes.get("version")))
    report.check("manifest identity", ok, "%s %s, type win32, %s" % (
        own_attributes.get("name"), own_attributes.get("version"), want_arch) if ok
        else "found %s, want type win32, processorArchitecture %s" % (own_attributes, want_arch))

    extra = sorted({local_name(e.tag) for e in root.iter()} - MANIFEST_ELEMENTS)
    report.check("manifest holds nothing else", not extra,
                 "extra elements: %s" % (", ".join(extra) if extra else "none"))


# ---------------------------------------------------------------- version


def version_node(data, offset):
    """One node of a version resource: (key, value bytes, is text, children, end)."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    key_start = position = offset + 6
    while data[position:position + 2] != b"\0\0":
        position += 2
    key = data[key_start:position].decode("utf-16-le")
    position = align4(position + 2)
    value_bytes = value_length * 2 if is_text else value_length
    value = data[position:position + value_bytes]
    position = align4(position + value_bytes)
    children = []
    while position + 6 <= end:
        child = version_node(data, position)
        children.append(child)
        if child[4] <= position:
            break
        position = align4(child[4])
    return key, value, is_text, children, end


def align4(position):
    return (position + 3) & ~3


def text_value(node):
    return node[1].decode("utf-16-le").rstrip("\0")


def version_text(words):
    return ".".join(str(w) for w in words)


def looks_mis_decoded(text):
    """UTF-8 read in the wrong code page shows up as Latin-1 range letters."""
    return "\ufffd" in text or any(0x80 <= ord(ch) <= 0xFF for ch in text)


def check_version(report, tree):
    data = only_resource(tree, RT_VERSION, 1)
    if data is None:
        report.check("version block", False, "no version resource with id 1")
        return
    key, value, _, children, _ = version_node(data, 0)
    if key != "VS_VERSION_INFO" or len(value) < 52 or value[:4] != b"\xbd\x04\xef\xfe":
        report.check("version block", False, "no VS_FIXEDFILEINFO (key %r)" % key)
        return
    fixed = struct.unpack_from("<13I", value)
    file_version = (fixed[2] >> 16, fixed[2] & 0xFFFF, fixed[3] >> 16, fixed[3] & 0xFFFF)
    product_version = (fixed[4] >> 16, fixed[4] & 0xFFFF, fixed[5] >> 16, fixed[5] & 0xFFFF)
    report.check("version numbers", file_version == VERSION and product_version == VERSION,
                 "file %s, product %s (want %s)" % (version_text(file_version),
                                                    version_text(product_version),
                                                    version_text(VERSION)))
    report.check("version file type", fixed[8] == VOS_NT_WINDOWS32 and fixed[9] == VFT_APP,
                 "os 0x%x, type %d (want VOS_NT_WINDOWS32, VFT_APP)" % (fixed[8], fixed[9]))

    blocks = {child[0]: child for child in children}
    check_string_table(report, blocks.get("StringFileInfo"))
    check_translation(report, blocks.get("VarFileInfo"))


def check_string_table(report, block):
    tables = block[3] if block else []
    names = [table[0] for table in tables]
    if names != [STRING_TABLE]:
        report.check("version strings", False, "tables %s (want only %s)" % (names, STRING_TABLE))
        return
    strings = {node[0]: text_value(node) for node in tables[0][3]}
    wanted = {"FileVersion": "2.0.0.0", "ProductVersion": "2.0.0.0", "ProductName": "Tandrel",
              "FileDescription": "Tandrel", "Comments": "Tandrel"}
    wrong = ["%s=%r" % (k, strings.get(k)) for k, v in wanted.items() if strings.get(k) != v]
    missing = [k for k in ("CompanyName", "LegalCopyright") if not strings.get(k)]
    garbled = [k for k, v in strings.items() if looks_mis_decoded(v)]
    ok = not wrong and not missing and not garbled
    detail = "table %s, ProductName %r, CompanyName %r" % (
        STRING_TABLE, strings.get("ProductName"), strings.get("CompanyName"))
    if not ok:
        detail += "; wrong %s, missing %s, garbled %s" % (wrong, missing, garbled)
    report.check("version strings", ok, detail)


def check_translation(report, block):
    pairs = []
    for var in (block[3] if block else []):
        if var[0] == "Translation":
            raw = var[1]
            pairs += [struct.unpack_from("<HH", raw, i) for i in range(0, len(raw) - 3, 4)]
    report.check("version translation", pairs == [TRANSLATION],
                 "%s (want 0x0804/1200)" % ", ".join("0x%04x/%d" % p for p in pairs))


# ------------------------------------------------------------------- icon


def icon_image_problem(side, image):
    """Why one icon image is not a 32-bit image of the given side (or None)."""
    if side == 256:
        if image[:8] != b"\x89PNG\r\n\x1a\n" or image[12:16] != b"IHDR":
            return "256 is not stored as PNG"
        width, height, depth, colour = struct.unpack_from(">IIBB", image, 16)
        if (width, height, depth, colour) != (256, 256, 8, 6):
            return "PNG is %dx%d depth %d colour type %d" % (width, height, depth, colour)
        return None
    if len(image) < 40:
        return "%d: image too short" % side
    size, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", image)
    mask_stride = ((side + 31) // 32) * 4
    expected_length = 40 + side * side * 4 + mask_stride * side
    if (size, width, height, bits, compression) != (40, side, 2 * side, 32, 0):
        return "%d: DIB %dx%d, %d bits" % (side, width, height // 2, bits)
    if len(image) != expected_length:
        return "%d: %d bytes, want %d" % (side, len(image), expected_length)
    return None


def check_icon(report, tree):
    groups = list(tree.get(RT_GROUP_ICON, {}))
    data = only_resource(tree, RT_GROUP_ICON, ICON_GROUP)
    if data is None:
        report.check("icon group", False, "no group named %s (groups: %s)" % (ICON_GROUP, groups))
        return
    _, kind, count = struct.unpack_from("<HHH", data)
    problems = [] if kind == 1 and len(data) >= 6 + 14 * count else ["bad group header"]
    sides, depths = [], set()
    for i in range(count if not problems else 0):
        width, height, _, _, planes, bits, length, ident = struct.unpack_from(
            "<BBBBHHIH", data, 6 + 14 * i)
        side = width or 256
        sides.append(side)
        depths.add(bits)
        image = only_resource(tree, RT_ICON, ident)
        if (width, height, planes, bits) != (side % 256, side % 256, 1, 32):
            problems.append("entry %d: %dx%d, %d planes, %d bits"
                            % (i, width, height, planes, bits))
        elif image is None or len(image) != length:
            problems.append("entry %d: icon %d missing or of the wrong length" % (i, ident))
        else:
            problem = icon_image_problem(side, image)
            if problem:
                problems.append(problem)
    if sorted(sides, reverse=True) != list(ICON_SIZES):
        problems.append("sizes %s (want %s)" % (sides, list(ICON_SIZES)))
    if groups and groups[0] != ICON_GROUP:
        problems.append("%s is not the first icon group (%s)" % (ICON_GROUP, groups))
    detail = "%s: %d images (%s), bits per pixel %s" % (
        ICON_GROUP, count, ", ".join(map(str, sides)), "/".join(map(str, sorted(depths))))
    if problems:
        detail += "; " + "; ".join(problems)
    report.check("icon group", not problems, detail)


# --------------------------------------------------------------- pictures


def jpeg_frame(data):
    """(marker, precision, height, width, components) of the first frame
    header of a JFIF file, or None."""
    if data[:2] != b"\xff\xd8" or data[6:11] != b"JFIF\0":
        return None
    position = 2
    while position + 4 <= len(data) and data[position] == 0xFF:
        marker = data[position + 1]
        length = struct.unpack_from(">H", data, position + 2)[0]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            precision, height, width, components = struct.unpack_from(">BHHB", data, position + 4)
            return marker, precision, height, width, components
        position += 2 + length
    return None


def check_pictures(report, tree):
    for ident, label, width, height in PICTURES:
        data = only_resource(tree, RT_RCDATA, ident)
        frame = jpeg_frame(data) if data else None
        if frame is None:
            report.check(label, False, "RCDATA %d is not a JFIF file" % ident)
            continue
        marker, precision, got_height, got_width, components = frame
        ok = (marker, precision, got_width, got_height, components) == (0xC0, 8, width, height, 3)
        report.check(label, ok, "RCDATA %d: %s, %d-bit, %dx%d, %d components (want baseline, "
                     "8-bit, %dx%d, 3)" % (ident, "baseline" if marker == 0xC0 else
                                           "SOF%d" % (marker - 0xC0), precision, got_width,
                                           got_height, components, width, height))


def main():
    parser = argparse.ArgumentParser(description="Check the properties of tandrel.exe.")
    parser.add_argument("exe")
    parser.add_argument("--arch", choices=sorted(ARCHES), default="x86",
                        help="x86: the 32-bit release (default); x64: the 64-bit build")
    args = parser.parse_args()
    sys.stdout.reconfigure(errors="backslashreplace")

    try:
        with open(args.exe, "rb") as source:
            pe = PeFile(source.read())
        tree = pe.resources()
    except (OSError, NotPe, struct.error, UnicodeDecodeError) as error:
        print("FAIL  %s: cannot read as a PE file: %s" % (args.exe, error))
        return 2

    report = Report()
    check_headers(report, pe, args.arch)
    try:
        check_manifest(report, tree, args.arch)
        check_version(report, tree)
        check_icon(report, tree)
        check_pictures(report, tree)
    except (struct.error, UnicodeDecodeError) as error:
        report.check("resources", False, "malformed resource: %s" % error)
    print("%s: %s" % (args.exe, "all checks passed" if not report.failures
                      else "%d check(s) failed" % report.failures))
    return 1 if report.failures else 0


if __name__ == "__main__":
    sys.exit(main())
