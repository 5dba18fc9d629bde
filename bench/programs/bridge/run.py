# Runs a plain Python program of bench/programs inside the Python engine (qelrun run.py Main FILE).
def Main(path):
    with open(path) as source:
        code = compile(source.read(), path, "exec")
    exec(code, {"__name__": "__main__"})
