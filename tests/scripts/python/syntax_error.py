# A syntax error stops the script before anything runs.
MessageList.Lines.Add("never")


def Main():
    x = 1 +


"""
{ expect-error: invalid syntax at line 6 pos 12 }
"""
