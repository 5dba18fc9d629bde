# Values crossing to the host and back (a Boolean becomes text as the host writes it), host
# routines of the units called by name, and a file-scope lexical seen by the subs under strict.
use strict;
use warnings;

my @seen = ("lexical kept");
sub Main {
  my $lines = $MessageList->Lines;
  my $list = $TStringList->Create();
  $list->Add($_) for (42, 2.5, "text", !!1, !!0);
  $lines->Add(join("|", map { $list->Strings($_) } 0 .. $list->{Count} - 1));
  $list->{CommaText} = "a,b,c";
  $lines->Add($list->{CommaText});
  $lines->Add(IntToStr(7) . "/" . UpperCase("straße"));
  my $d = Now();
  $lines->Add($d > 40000 ? "date as a number" : "no date");
  $lines->Add($seen[0]);
  $list->Free();
}

__END__
{ expect:
42|2.5|text|-1|0
a,b,c
7/STRAßE
date as a number
lexical kept
}
