# String building by repeated concatenation.
def main():
    total, s = 0, ""
    for i in range(1, 2500001):
        s = s + "ab"
        if len(s) >= 1000:
            total = total + len(s)
            s = ""
    print(total + len(s))

main()
