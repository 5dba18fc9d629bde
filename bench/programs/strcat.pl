# String building by repeated concatenation.
my ($total, $s) = (0, "");
for my $i (1 .. 2500000) {
  $s .= "ab";
  if (length($s) >= 1000) {
    $total += length($s);
    $s = "";
  }
}
print $total + length($s), "\n";
