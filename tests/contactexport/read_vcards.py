#!/usr/bin/env python3
"""Reads a vCard file with vobject, a parser of its own, and prints every
property of every card as NAME<TAB>TYPES<TAB>VALUE, cards separated by a
line "--". Structured values are joined with "|"; backslashes, line breaks
and tabs in values are printed as \\\\, \\n and \\t."""
import sys

import vobject


def printable(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n").replace("\t", "\\t")


def value_of(prop):
    value = prop.value
    if prop.name == "N":
        return "|".join([value.family, value.given, value.additional, value.prefix, value.suffix])
    if prop.name == "ADR":
        return "|".join([value.street, value.city, value.region, value.code, value.country])
    if isinstance(value, list):
        return "|".join(value)
    return value


with open(sys.argv[1], encoding="utf-8", newline="") as source:
    for card in vobject.readComponents(source):
        for prop in card.getChildren():
            if prop.name in ("VERSION",):
                continue
            types = ",".join(sorted(t.upper() for t in prop.params.get("TYPE", [])))
            print("%s\t%s\t%s" % (prop.name, types, printable(value_of(prop))))
        print("--")
