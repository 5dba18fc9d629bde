# Output through the host's message list, from the global code and from Main.
$MessageList->Lines->Add("global code");

sub Main {
  my $lines = $MessageList->{Lines};
  $lines->Add("Hello from Perl");
  $lines->Add(1 + 2);
  $lines->Add(5 / 2);
  $lines->Add("Grüße, 日本");
  $lines->Add(length("Grüße"));
}

__END__
{ expect:
global code
Hello from Perl
3
2.5
Grüße, 日本
5
}
