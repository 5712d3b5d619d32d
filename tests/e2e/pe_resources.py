"""Reads resources back out of a built Windows program or DLL: its version resource and its manifest,
what Windows shows in the file's properties and what it reads before it starts the program."""

import struct
from pathlib import Path

RT_VERSION = 16
RT_MANIFEST = 24
FIXED_FILE_INFO_SIGNATURE = 0xFEEF04BD


def resources(path, type_id):
    """The data of every resource of one type (all names and languages), in directory order."""
    image = Path(path).read_bytes()
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        raise ValueError(f"{path} is not a PE file")
    section_count = struct.unpack_from("<H", image, pe + 6)[0]
    optional_header = pe + 24
    optional_size = struct.unpack_from("<H", image, pe + 20)[0]
    pe32_plus = struct.unpack_from("<H", image, optional_header)[0] == 0x20B
    data_directories = optional_header + (112 if pe32_plus else 96)
    resource_rva = struct.unpack_from("<I", image, data_directories + 2 * 8)[0]
    if resource_rva == 0:
        return []
    sections = []
    for index in range(section_count):
        virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from(
            "<IIII", image, optional_header + optional_size + 40 * index + 8)
        sections.append((virtual_address, max(virtual_size, raw_size), raw_offset))

    def file_offset(rva):
        for virtual_address, size, raw_offset in sections:
            if virtual_address <= rva < virtual_address + size:
                return raw_offset + rva - virtual_address
        raise ValueError(f"{path}: address {rva:#x} lies in no section")

    root = file_offset(resource_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", image, root + directory + 12)
        for index in range(named + numbered):
            yield struct.unpack_from("<II", image, root + directory + 16 + 8 * index)

    def leaves(entry):
        if entry & 0x80000000:
            for _, child in entries(entry & 0x7FFFFFFF):
                yield from leaves(child)
        else:
            rva, size = struct.unpack_from("<II", image, root + entry)
            yield image[file_offset(rva):file_offset(rva) + size]

    return [data for name, entry in entries(0) if name == type_id for data in leaves(entry)]


def _aligned(offset):
    return (offset + 3) & ~3


def _version_node(blob, at):
    """One node of the version resource's tree: (key, value bytes, is text, children, length)."""
    length, value_length, is_text = struct.unpack_from("<HHH", blob, at)
    key_end = at + 6
    while blob[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = blob[at + 6:key_end].decode("utf-16-le")
    value_at = _aligned(key_end + 2)
    value = blob[value_at:value_at + (value_length * 2 if is_text else value_length)]
    children = []
    child = _aligned(value_at + len(value))
    while child < at + length:
        node = _version_node(blob, child)
        children.append(node)
        child = _aligned(child + node[4])
    return key, value, is_text, children, length


def version_info(path):
    """The file's version resource: {"file_version": (a, b, c, d), "product_version": (…),
    "strings": {name: text}} with the strings of every language block merged."""
    found = resources(path, RT_VERSION)
    if not found:
        return None
    key, fixed, _, children, _ = _version_node(found[0], 0)
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    if key != "VS_VERSION_INFO" or signature != FIXED_FILE_INFO_SIGNATURE:
        raise ValueError(f"{path}: the version resource is malformed")
    strings = {}
    for block_key, _, _, tables, _ in children:
        if block_key == "StringFileInfo":
            for _, _, _, entries, _ in tables:
                for name, value, _, _, _ in entries:
                    strings[name] = value.decode("utf-16-le").rstrip("\0")
    return {
        "file_version": (file_ms >> 16, file_ms & 0xFFFF, file_ls >> 16, file_ls & 0xFFFF),
        "product_version": (product_ms >> 16, product_ms & 0xFFFF, product_ls >> 16, product_ls & 0xFFFF),
        "strings": strings,
    }
