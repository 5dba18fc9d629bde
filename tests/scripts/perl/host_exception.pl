# A host exception raised inside a member call is a Perl die, caught with eval; uncaught, it
# leaves with the host's message and the line of the failing statement.
sub Main {
  my $lines = $MessageList->Lines;
  my $list = $TStringList->Create();
  eval { $list->Strings(3) };
  $lines->Add($@ =~ /^List index out of bounds \(3\) at script line 6\.$/ ? "caught" : "not caught: $@");
  $list->Free(); my $x = $lines->Strings(7);
}

__END__
{ expect:
caught
}
{ expect-error: List index out of bounds (7) at line 8 pos 3 }
