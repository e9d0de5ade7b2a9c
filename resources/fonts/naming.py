"""Name tables of the built fonts: the new family names, and the copyright
and licence notices of the source fonts they derive from, kept verbatim."""

from fontTools.ttLib import newTable

VERSION = "Version 1.000"

# Windows Unicode English, the records that Qt and FreeType read.
_PLATFORM, _ENCODING, _LANGUAGE = 3, 1, 0x409


def source_notices(source_font):
    """(copyright, licence text, licence URL) of a source font."""
    name = source_font["name"]

    def get(name_id):
        record = name.getName(name_id, _PLATFORM, _ENCODING, _LANGUAGE)
        return record.toUnicode() if record else ""

    return get(0), get(13), get(14)


def set_names(font, family, description, sources, style="Regular"):
    """Replaces the name table of font: family, style ("Regular" or "Bold"),
    and the notices of every source font (a list of TTFonts), joined."""
    copyrights, licences, urls = [], [], []
    for src in sources:
        c, lic, url = source_notices(src)
        if c and c not in copyrights:
            copyrights.append(c)
        if lic and lic not in licences:
            licences.append(lic)
        if url and url not in urls:
            urls.append(url)

    table = newTable("name")
    table.names = []
    ps_name = family.replace(" ", "-") + "-" + style
    records = {
        0: "\n".join(copyrights),
        1: family,
        2: style,
        3: f"{family} {style} {VERSION}",
        4: family if style == "Regular" else f"{family} {style}",
        5: VERSION,
        6: ps_name,
        10: description,
        13: "\n\n".join(licences),
        14: " ".join(urls),
    }
    for name_id, text in records.items():
        if text:
            table.setName(text, name_id, _PLATFORM, _ENCODING, _LANGUAGE)
    font["name"] = table
