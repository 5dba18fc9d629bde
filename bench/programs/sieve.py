# Sieve of Eratosthenes over a large array, repeated.
def sieve(n):
    flags = [False] * (n + 1)
    for i in range(2, n + 1):
        flags[i] = True
    count = 0
    for i in range(2, n + 1):
        if flags[i]:
            count = count + 1
            j = i + i
            while j <= n:
                flags[j] = False
                j = j + i
    return count

def main():
    count = 0
    for k in range(5):
        count = sieve(1000000)
    print(count)

main()
