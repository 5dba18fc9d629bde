# Integer arithmetic in a loop.
use integer;
my $s = 0;
for my $i (1 .. 12000000) {
  $s = ($s + $i * 7 - ($i / 3)) % 1000003;
}
print "$s\n";
