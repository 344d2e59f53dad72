#!/usr/bin/env python3
"""Writes missing3.kst, the save game of the scripted test of the dialog program.

Two countries, ENG (the player) and FRA, own every source province of the
built-in province table except three, each the only source of its own target
province; those three target provinces are left without an owner, so the
conversion asks for them in the "Add Missing Provinces" dialog.

Usage: python3 tests/windows/make_test_save.py   (from anywhere; rewrites the file)
"""

import pathlib
import re

HERE = pathlib.Path(__file__).resolve().parent
TABLE = HERE.parent.parent / "refdata" / "province_table.inc"
LEFT_OUT = 3


def table_rows():
    rows = {}
    for line in TABLE.read_text().splitlines():
        match = re.match(r"\{(\d+), \{([\d, ]+)\}\},", line)
        if match:
            rows[int(match.group(1))] = [int(v) for v in match.group(2).split(", ")]
    return rows


def sole_sources(rows):
    """Sources whose one target province comes from no other source."""
    uses = {}
    for targets in rows.values():
        for target in targets:
            if target <= 3000:
                uses[target] = uses.get(target, 0) + 1
    return [s for s, t in rows.items() if len(t) == 1 and uses[t[0]] == 1]


def id_lines(ids):
    return "\n".join("        " + " ".join(str(i) for i in ids[k:k + 16]) for k in range(0, len(ids), 16))


def country(tag, capital, ids, army, fleet):
    return f"""country = {{
    tag = {tag}
    government = constitutional_monarchy     national_value = liberty
    executive_designation = parliamentarism political_parties = all_allowed
    trade_unions = non_socialist             press_rights = free_press
    voting_rights = wealth                   party_system = two_party
    badboy = 2
    capital = {capital}
    manpower = 40 mobilization = 3
    clipper_convoy = 2 steamer_convoy = 5
    ownedprovinces = {{
{id_lines(ids)}
    }}
    nationalprovinces = {{ {capital} }}
    techapps = {{ 1010 1020 2010 3010 5010 }}
    state = {{ name = "{army} State" province = {capital}
        factory = {{ type = steel_factory level = 2 }} }}
    diplomacy = {{ relation = {{ tag = {"FRA" if tag == "ENG" else "ENG"} value = 25 }} }}
    landunit = {{ name = "{army}" location = {capital}
        division = {{ name = "1st Foot" type = infantry quality = regular }}
        division = {{ name = "2nd Foot" type = infantry quality = regular }}
        division = {{ name = "3rd Foot" type = infantry quality = regular }}
        division = {{ name = "1st Horse" type = cavalry quality = regular }} }}
    navalunit = {{ name = "{fleet}" location = {capital}
        division = {{ name = "Resolute" type = battleship }}
        division = {{ name = "Swift" type = destroyer }} }}
}}
"""


def main():
    rows = table_rows()
    left_out = sole_sources(rows)[:LEFT_OUT]
    owned = [s for s in sorted(rows) if s not in left_out]
    half = len(owned) // 2
    eng, fra = owned[:half], owned[half:]
    text = f"""# missing3.kst - written by make_test_save.py; do not edit by hand.
# ENG and FRA own every province of the map except {" ".join(map(str, left_out))}, whose
# target provinces ({" ".join(str(rows[s][0]) for s in left_out)}) are then placed by hand.

header = {{
    name = "Quillmere dialog test"
    game = "Saltmarch"
    date = {{ year = 1921 month = march day = 4 }}
    pop = {{ total = 20 }}
    selectable = {{ ENG FRA }}
    ENG = {{ playername = "Hotseat 1: Test Player" }}
    FRA = {{ playername = "AI:" }}
}}

province = {{ id = {eng[0]} railroad_level = 2 pop = {{ type = farmers size = 10 }} }}
province = {{ id = {fra[0]} railroad_level = 2 pop = {{ type = farmers size = 10 }} }}

{country("ENG", eng[0], eng, "Home Army", "Home Fleet")}
{country("FRA", fra[0], fra, "Armee du Nord", "Escadre du Nord")}"""
    (HERE / "missing3.kst").write_bytes(text.encode())


if __name__ == "__main__":
    main()
