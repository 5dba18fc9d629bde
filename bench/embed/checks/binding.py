# Checks of bench_embed's TStringList binding for Python: values cross intact,
# host exceptions and misuse become Python exceptions, freeing is idempotent.
import gc

import qelhost
from qelhost import HostError, TStringList

text = "h\u00e9llo \u2713 \U0001F600"  # one BMP code point above Latin-1 and one surrogate pair
L = TStringList()
assert L.Add(text) == 0
assert L.Add("") == 1
assert L.Get(0) == text, "str -> UTF-16 -> str round trip"
assert L.Count() == 2
L.Put(1, "x")
assert L.Get(1) == "x"

failures = [
    (lambda: L.Get(2), HostError, "EStringListError: List index out of bounds (2)"),
    (lambda: L.Put(-1, "y"), HostError, "EStringListError: List index out of bounds (-1)"),
    (lambda: L.Get(2**40), IndexError, "index out of range"),
    (lambda: L.Get(2**80), OverflowError, ""),
    (lambda: L.Get("a"), TypeError, ""),
    (lambda: L.Add(3), TypeError, "str expected, got int"),
    (lambda: L.Add("\ud800"), UnicodeEncodeError, ""),
    (lambda: L.Put(0), TypeError, "Put() takes 2 arguments"),
    (lambda: L.Put(0, "a", 3), TypeError, "Put() takes 2 arguments"),
    (lambda: TStringList(1), TypeError, ""),
]
for number, (call, error, words) in enumerate(failures):
    try:
        call()
    except error as caught:
        assert words in str(caught), f"case {number}: {caught}"
    else:
        raise AssertionError(f"case {number}: no {error.__name__}")

L.Free()
L.Free()
try:
    L.Count()
    raise AssertionError("Count after Free")
except ValueError as caught:
    assert "TStringList used after Free" in str(caught)

# A list the script never frees goes with its last reference.
M = TStringList()
M.Add("left to the collector")
del M
gc.collect()

# The binding keeps its own reference to the exception class.
del qelhost.HostError
try:
    TStringList().Get(0)
except HostError:
    pass
print("ok")
