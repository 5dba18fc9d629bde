# Sieve of Eratosthenes over a large array, repeated.
sub sieve {
  my $n = shift;
  my @flags = (0, 0, (1) x ($n - 1));
  my $count = 0;
  for my $i (2 .. $n) {
    next unless $flags[$i];
    $count++;
    for (my $j = $i + $i; $j <= $n; $j += $i) { $flags[$j] = 0; }
  }
  return $count;
}

my $count;
$count = sieve(1000000) for 1 .. 5;
print "$count\n";
