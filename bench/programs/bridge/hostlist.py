# Host objects through the Python engine's bridge: two million member calls on a string list
# (500,000 Add, then 500,000 rounds of L[i] read, Count, L[i] write), as hostlist.pas does.
def Main():
    n = 500000
    L = TStringList.Create()
    for i in range(n):
        L.Add("item")
    total = 0
    for i in range(n):
        total = total + len(L[i])
        if L.Count == n:
            total = total + 1
        L[i] = "x"
    L.Free()
    print(total)
