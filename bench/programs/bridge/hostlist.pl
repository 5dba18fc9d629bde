# Host objects through the PerlScript engine's bridge: two million member calls on a string list
# (500,000 Add, then 500,000 rounds of L[i] read, Count, L[i] write), as hostlist.pas does.
sub Main {
  my $n = 500000;
  my $L = $TStringList->Create();
  $L->Add("item") for 1 .. $n;
  my $total = 0;
  my $strings = $L->{Strings};
  for my $i (0 .. $n - 1) {
    $total += length($strings->[$i]);
    $total++ if $L->{Count} == $n;
    $strings->[$i] = "x";
  }
  $L->Free();
  print "$total\n";
}
