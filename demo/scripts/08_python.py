# Python, through the Active Scripting bridge: host objects are attributes, host errors the
# exception HostError.
def Main():
    squares = [n * n for n in range(1, 6)]
    MessageList.Lines.Add("Python squares: " + ", ".join(str(n) for n in squares))
    try:
        StrToInt("not a number")
    except HostError as error:
        MessageList.Lines.Add("Python caught: " + str(error))
