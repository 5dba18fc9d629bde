# Runs a plain Perl program of bench/programs inside the PerlScript engine (qelrun run.pl Main FILE).
sub Main {
  my $path = shift;
  do $path;
  die $@ if $@;
}
