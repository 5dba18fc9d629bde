# Output through the host's message list, from the global code and from Main.
MessageList.Lines.Add("global code")


def Main():
    MessageList.Lines.Add("Hello from Python")
    MessageList.Lines.Add(1 + 2)
    MessageList.Lines.Add(2.5)
    MessageList.Lines.Add(True)
    MessageList.Lines.Add("Grüße, 日本")


"""
{ expect:
global code
Hello from Python
3
2.5
True
Grüße, 日本
}
"""
