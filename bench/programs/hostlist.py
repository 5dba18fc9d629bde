# Host objects: two million member calls on a string list through its binding
# (500,000 Add, then 500,000 rounds of Get, Count, Put). Run by bench_embed.
from qelhost import TStringList


def main():
    n = 500000
    L = TStringList()
    for i in range(n):
        L.Add("item")
    total = 0
    for i in range(n):
        total = total + len(L.Get(i))
        if L.Count() == n:
            total = total + 1
        L.Put(i, "x")
    L.Free()
    print(total)


main()
