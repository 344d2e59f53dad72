// The bundled whole-world example: a Saltmarch save of 1922 in which every
// source province of the built-in province table is owned by one of about sixty
// countries, but for a few dozen uncolonised ones (the Sahara interior, the
// Amazon, the Australian outback, ...), and the plan that gives the scenario
// provinces those leave without an owner to their neighbours.
//
// The world is laid out as a list of regions walked along the source ids of the
// province table: each region is a run of neighbouring source provinces held by
// one country, or left empty. Countries carry politics that give the three
// alliances their leaders (a parliamentary United Kingdom, a right-wing
// Germany, a Soviet Russia), subjects, armies and fleets of every kind the
// conversion knows (and some it does not), states with factories, claims,
// relations and technologies. A few countries have no row in Countries.txt and
// are dropped: they hold units, and provinces only where a neighbour's province
// reaches the same scenario province. A few provinces carry ids the table does
// not map (seas and lakes).
//
// The text is written in the layout of examples/example.kst, with comments,
// and is the same on every platform: the only randomness is a fixed-seed
// SaveRandom.
#pragma once

#include <string>

struct WorldExample {
  std::string save;  // examples/world.kst
  std::string plan;  // examples/world-plan.txt
};

WorldExample GenerateWorldExample();
