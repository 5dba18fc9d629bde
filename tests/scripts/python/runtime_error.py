# A runtime error reports its line and column, with the exception's type.
def Main():
    MessageList.Lines.Add("before")
    t = None
    print(t.field)
    MessageList.Lines.Add("after")


"""
{ expect:
before
}
{ expect-error: AttributeError: 'NoneType' object has no attribute 'field' at line 5 pos 11 }
"""
