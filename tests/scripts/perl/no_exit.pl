# exit would end the host's whole process: in a script it fails at its own line instead.
sub Main {
  $MessageList->Lines->Add("before");
  exit(3);
}

__END__
{ expect:
before
}
{ expect-error: exit is not available to a script at line 4 pos 3 }
