# Integer arithmetic in a loop.
def main():
    s = 0
    for i in range(1, 12000001):
        s = (s + i * 7 - (i // 3)) % 1000003
    print(s)

main()
