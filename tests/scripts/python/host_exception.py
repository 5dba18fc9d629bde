# A host exception raised inside a member call is the Python exception HostError, caught with
# try/except; uncaught, it leaves with the host's message and the position of the call.
def Main():
    items = TStringList.Create()
    try:
        items[3]
    except HostError as error:
        MessageList.Lines.Add("caught: " + str(error))
    items.Free(); x = MessageList.Lines[7]


"""
{ expect:
caught: List index out of bounds (3)
}
{ expect-error: List index out of bounds (7) at line 9 pos 23 }
"""
