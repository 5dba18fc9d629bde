# A malformed script stops before anything runs; the position is the start of the line where
# Perl found the fault.
$MessageList->Lines->Add("never");
sub Main {
  my $x = (1 + 2;
}

__END__
{ expect-error: syntax error at line 5 pos 3 }
