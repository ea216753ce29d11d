"""The soil zones, numbered as the program numbers them, under the names scripts use."""

from __future__ import annotations

from . import _core

#: Key of every zone, in the program's order: root-zone layers 1 to 3, transition zone, aquifer.
ZONE_KEYS: tuple[str, ...] = tuple(_core.zone_keys())

#: The zone number (1..5) of each key.
ZONE_NUMBERS = {key: number for number, key in enumerate(ZONE_KEYS, start=1)}


def zones_of(layers: int) -> tuple[str, ...]:
    """The keys of the zones that exist with this many root-zone layers, top down."""
    return ZONE_KEYS[: max(1, min(layers, 3))] + ZONE_KEYS[3:]
